// Byte-to-wide conversion through iconv: named charsets, the default for an
// empty name, invalid input, large and expanding input.
#include <gnssimport/host/CharsetConversion.h>

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::wstring kPrivet = L"\u041F\u0440\u0438\u0432\u0435\u0442"; // "Привет"

bool convert(host::CharsetConverter& converter, const std::string& charset, const std::string& bytes,
             std::wstring& out)
{
    return converter.convert(charset, bytes.data(), bytes.size(), out);
}

TEST(CharsetConversion, DecodesNamedCharsets)
{
    struct Case {
        const char* charset;
        std::string bytes;
        std::wstring text;
    };
    const std::vector<Case> cases = {
        {"CP1251", "\xCF\xF0\xE8\xE2\xE5\xF2", kPrivet},
        {"CP866", "\x8F\xE0\xA8\xA2\xA5\xE2", kPrivet},
        {"KOI8-R", "\xF0\xD2\xC9\xD7\xC5\xD4", kPrivet},
        {"cp1251", "A\xB8\xA8 1", L"A\u0451\u0401 1"},
        {"UTF-8", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x82\xAC\xF0\x9D\x84\x9E",
         kPrivet + L" \u20AC\U0001D11E"},
        {"UTF-8", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {"UTF-7", "+BB8EQAQ4BDIENQRC-", kPrivet},
        {"CP1251", "", L""},
    };
    host::CharsetConverter converter;
    for (const auto& c : cases) {
        std::wstring out = L"stale";
        EXPECT_TRUE(convert(converter, c.charset, c.bytes, out)) << c.charset;
        EXPECT_EQ(out, c.text) << c.charset;
    }
}

TEST(CharsetConversion, FailsOnUnknownCharsetAndInvalidBytes)
{
    struct Case {
        const char* charset;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"NO-SUCH-CHARSET", "abc"},
        {"NO-SUCH-CHARSET", "abc"}, // a cached failure fails again
        {"NO-SUCH-CHARSET", ""},
        {"UTF-8", "ab\xC3\x28"},         // bad continuation byte
        {"UTF-8", "ab\xD0"},             // truncated sequence
        {"UTF-8", "\xC0\xAF"},           // overlong form
        {"UTF-8", "\xED\xA0\x80"},       // surrogate
        {"UTF-8", "\xF4\x90\x80\x80"},   // above U+10FFFF
    };
    host::CharsetConverter converter;
    for (const auto& c : cases) {
        std::wstring out = L"stale";
        EXPECT_FALSE(convert(converter, c.charset, c.bytes, out)) << c.charset;
        EXPECT_TRUE(out.empty()) << c.charset;
        // The descriptor is usable again after a failure.
        if (std::string(c.charset) == "UTF-8") {
            EXPECT_TRUE(convert(converter, "UTF-8", "ok\xD0\x9F", out));
            EXPECT_EQ(out, L"ok\u041F");
        }
    }
}

TEST(CharsetConversion, EmptyNamePrefersUtf8ThenDefault)
{
    host::CharsetConverter converter;
    EXPECT_EQ(converter.defaultCharset(), "CP1251");
    std::wstring out;

    ASSERT_TRUE(convert(converter, "", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", out));
    EXPECT_EQ(out, kPrivet);
    ASSERT_TRUE(convert(converter, "", "plain ASCII", out));
    EXPECT_EQ(out, L"plain ASCII");
    ASSERT_TRUE(convert(converter, "", "\xCF\xF0\xE8\xE2\xE5\xF2", out));
    EXPECT_EQ(out, kPrivet);
    // Byte sequences that only a lax UTF-8 check would take go to the default.
    ASSERT_TRUE(convert(converter, "", "\xC0\xAF", out));
    EXPECT_EQ(out, L"\u0410\u0407");
    ASSERT_TRUE(convert(converter, "", "\xED\xA0\x80", out));
    EXPECT_EQ(out, L"\u043D\u00A0\u0402");

    converter.setDefaultCharset("KOI8-R");
    EXPECT_EQ(converter.defaultCharset(), "KOI8-R");
    ASSERT_TRUE(convert(converter, "", "\xF0\xD2\xC9\xD7\xC5\xD4", out));
    EXPECT_EQ(out, kPrivet);

    converter.setDefaultCharset("NO-SUCH-CHARSET");
    EXPECT_FALSE(convert(converter, "", "\xF0", out));
    EXPECT_TRUE(convert(converter, "", "still UTF-8", out));
}

TEST(CharsetConversion, GrowsOutputForExpandingCharsets)
{
    // One TSCII byte stands for four code points.
    host::CharsetConverter converter;
    std::wstring out;
    ASSERT_TRUE(convert(converter, "TSCII", std::string(100, '\x82'), out));
    ASSERT_EQ(out.size(), 400u);
    EXPECT_EQ(out.substr(396), L"\u0BB8\u0BCD\u0BB0\u0BC0");
}

TEST(CharsetConversion, ConvertsLargeInput)
{
    const std::size_t size = 32u << 20;
    std::string bytes(size, '\xE0'); // CP1251 small a
    bytes.back() = '\n';
    host::CharsetConverter converter;
    std::wstring out;
    ASSERT_TRUE(convert(converter, "CP1251", bytes, out));
    ASSERT_EQ(out.size(), size);
    EXPECT_EQ(out.front(), L'\u0430');
    EXPECT_EQ(out[size - 2], L'\u0430');
    EXPECT_EQ(out.back(), L'\n');
}

TEST(CharsetConversion, MovesKeepDescriptorsAndDefault)
{
    host::CharsetConverter first;
    first.setDefaultCharset("CP866");
    std::wstring out;
    ASSERT_TRUE(convert(first, "KOI8-R", "\xF0", out));

    host::CharsetConverter second(std::move(first));
    EXPECT_EQ(second.defaultCharset(), "CP866");
    ASSERT_TRUE(convert(second, "", "\x8F", out));
    EXPECT_EQ(out, L"\u041F");

    host::CharsetConverter third;
    ASSERT_TRUE(convert(third, "CP1251", "\xCF", out));
    third = std::move(second);
    EXPECT_EQ(third.defaultCharset(), "CP866");
    ASSERT_TRUE(convert(third, "KOI8-R", "\xF0", out));
    EXPECT_EQ(out, L"\u041F");

    // A moved-from converter starts over with the initial default.
    EXPECT_EQ(first.defaultCharset(), "CP1251");
    ASSERT_TRUE(convert(first, "", "\xCF", out));
    EXPECT_EQ(out, L"\u041F");
}

} // namespace
