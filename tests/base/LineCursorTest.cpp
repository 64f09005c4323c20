// Line-at-a-time reading: the cursor and the line count agree with
// strutils::nextLine on every terminator mix, and the readers built on them
// give the lines the whole-file readers give.
#include "CommonHelpers/FileReader.h"
#include "CommonHelpers/LineCursor.h"
#include "CommonHelpers/strutils.h"
#include "EncodingDetector/DetectedTextFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<std::string> viaNextLine(const std::string& data)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t pos = 0;
    while (strutils::nextLine(data, pos, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> viaCursor(const std::string& data)
{
    std::vector<std::string> lines;
    Plugin::LineCursor cursor(data);
    const char* begin = nullptr;
    std::size_t size = 0;
    while (cursor.next(begin, size))
        lines.emplace_back(begin, size);
    EXPECT_EQ(cursor.position(), data.size());
    return lines;
}

TEST(LineCursor, AgreesWithNextLineOnEveryTerminatorMix)
{
    std::vector<std::string> buffers = {"", "a", "a\r\nb\rc", "a\n\n", "a\r", "a\r\r\nb", "a\n\rb", "\n\n\n",
                                        "\r\r", "\r\n", std::string("a\0b\nc", 5), std::string(100000, '\r')};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 40), pick(0, 4);
    const char alphabet[] = {'a', 'b', '\r', '\n', '\0'};
    for (int i = 0; i < 5000; ++i) {
        std::string data(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : data)
            c = alphabet[pick(random)];
        buffers.push_back(data);
    }
    for (const auto& data : buffers) {
        const auto expected = viaNextLine(data);
        ASSERT_EQ(viaCursor(data), expected) << testing::PrintToString(data);
        ASSERT_EQ(Plugin::countLines(data), expected.size()) << testing::PrintToString(data);
    }
}

struct Identity : Plugin::ICharConverter {
    std::wstring convertString(const std::string& bytes) override { return std::wstring(bytes.begin(), bytes.end()); }
};

TEST(FileReader, CountsAndReadsTheLinesOfTheWholeFile)
{
    test::TempDir dir;
    const std::wstring path = dir.write("lines.txt", "\xEF\xBB\xBFone\r\ntwo\rthree\n\nfour");
    Identity identity; // its convertInto is the default one, through convertString
    Plugin::FileReader reader(path, &identity);
    ASSERT_TRUE(reader.isOpen());
    EXPECT_EQ(reader.lineCount(), 5u);
    std::vector<std::wstring> lines;
    reader.readLines(lines);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"one", L"two", L"three", L"", L"four"}));
    EXPECT_EQ(reader.lineCount(), 5u);
    EXPECT_FLOAT_EQ(reader.getPercent(), 100.0f);

    Plugin::FileReader missing(dir.path().wstring() + L"/missing.txt", &identity);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.lineCount(), 0u);
}

TEST(TargetCharConverter, ConvertIntoReusesItsOutputAndMatchesConvertString)
{
    host::RecordingTarget target;
    Plugin::TargetCharConverter<Plugin::ISatImportTarget3> converter;
    converter.resetTarget(&target, L"CP1251");
    std::wstring out = L"left over from a longer line before";
    converter.convertInto("\xCF\xF3\xED\xEA\xF2 1", 7, out);
    EXPECT_EQ(out, L"Пункт 1");
    EXPECT_EQ(converter.convertString("\xCF\xF3\xED\xEA\xF2 1"), out);
    converter.convertInto("", 0, out);
    EXPECT_EQ(out, L"");

    host::RecordingTarget::Options failing;
    failing.convertBytesResult = 1;
    host::RecordingTarget refusing(failing);
    converter.resetTarget(&refusing, L"CP1251");
    out = L"stale";
    converter.convertInto("abc", 3, out);
    EXPECT_EQ(out, L"");
}

TEST(DetectedTextFile, GivesTheLinesLoadDetectedLinesGives)
{
    test::TempDir dir;
    // "Пункт" in KOI8-R, often enough for the detector to be sure.
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "P,\xF0\xD5\xCE\xCB\xD4 \xF3\xC5\xD7\xC5\xD2\xCE\xD9\xCA,55 45 12.3\r\n";
    const std::wstring path = dir.write("koi.txt", text + "last");
    host::RecordingTarget target;
    Plugin::CharsetSettings settings;
    Plugin::TargetCharConverter<Plugin::ISatImportTarget3> converter;
    converter.resetTarget(&target, L"");

    std::vector<std::wstring> all;
    ASSERT_TRUE(Plugin::loadDetectedLines(path, settings, converter, all));
    EXPECT_EQ(converter.getCharset(), L"KOI8-R");
    ASSERT_EQ(all.size(), 401u);
    EXPECT_EQ(all[0], L"P,Пункт Северный,55 45 12.3");

    converter.resetTarget(&target, L"");
    Plugin::DetectedTextFile file;
    ASSERT_TRUE(file.open(path, settings, converter));
    EXPECT_EQ(file.lineCount(), all.size());
    std::wstring line;
    for (const auto& expected : all) {
        ASSERT_TRUE(file.nextLine(line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(file.nextLine(line));

    Plugin::DetectedTextFile missing;
    EXPECT_FALSE(missing.open(dir.path().wstring() + L"/missing.txt", settings, converter));
    EXPECT_EQ(missing.lineCount(), 0u);
    EXPECT_FALSE(missing.nextLine(line));
}

} // namespace
