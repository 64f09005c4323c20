// Single-byte charsets are decoded by a table taken from iconv; every byte
// and random lines must come out as iconv itself decodes them, invalid bytes
// included, and charsets that are not single-byte must keep going through
// iconv.
#include <gnssimport/host/CharsetConversion.h>

#include <gtest/gtest.h>

#include <iconv.h>

#include <random>
#include <string>
#include <vector>

namespace {

// What iconv alone makes of bytes: false when it rejects them.
bool viaIconv(const char* charset, const std::string& bytes, std::wstring& out)
{
    iconv_t cd = iconv_open("WCHAR_T", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.assign(bytes.size() * 4 + 16, L'\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* o = reinterpret_cast<char*>(&out[0]);
    std::size_t outLeft = out.size() * sizeof(wchar_t);
    const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    const std::size_t flushed = iconv(cd, nullptr, nullptr, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft / sizeof(wchar_t));
    return rc != static_cast<std::size_t>(-1) && flushed != static_cast<std::size_t>(-1);
}

TEST(CharsetTable, EveryByteAndRandomLinesAsIconvDecodesThem)
{
    // Lines of random bytes, of ASCII with a rare high byte (runs of plain
    // ASCII are only widened) and of ASCII alone; one converter serves the
    // charsets in turn, line by line.
    const char* const charsets[] = {"CP1251", "KOI8-R", "CP866", "ISO-8859-5", "CP1252", "ASCII"};
    std::mt19937 random(1251);
    std::uniform_int_distribution<int> byte(0, 255), ascii(0, 127), length(0, 60), percent(0, 99);
    std::vector<std::string> lines;
    for (int b = 0; b < 256; ++b)
        lines.emplace_back(1, static_cast<char>(b));
    for (int i = 0; i < 3000; ++i) {
        const int highShare = i % 3 == 0 ? 100 : i % 3 == 1 ? 3 : 0;
        std::string line(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : line)
            c = static_cast<char>(percent(random) < highShare ? byte(random) : ascii(random));
        lines.push_back(line);
    }
    host::CharsetConverter converter;
    for (const auto& line : lines) {
        for (const char* charset : charsets) {
            std::wstring expected, actual = L"stale";
            const bool ok = viaIconv(charset, line, expected);
            ASSERT_EQ(converter.convert(charset, line.data(), line.size(), actual), ok)
                << charset << " " << testing::PrintToString(line);
            EXPECT_EQ(actual, ok ? expected : std::wstring()) << charset << " " << testing::PrintToString(line);
        }
    }
}

TEST(CharsetTable, OtherCharsetsStillGoThroughIconv)
{
    host::CharsetConverter converter;
    std::wstring out;
    // A truncated UTF-8 sequence and a stateful charset.
    EXPECT_FALSE(converter.convert("UTF-8", "\xD0", 1, out));
    EXPECT_TRUE(converter.convert("UTF-8", "\xD0\x9F", 2, out));
    EXPECT_EQ(out, L"\u041F");
    EXPECT_TRUE(converter.convert("UTF-7", "+BB8-", 5, out));
    EXPECT_EQ(out, L"\u041F");
    EXPECT_TRUE(converter.convert("UTF-16LE", "\x1F\x04", 2, out));
    EXPECT_EQ(out, L"\u041F");
}

} // namespace
