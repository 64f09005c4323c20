// Line splitting and whole-file reading shared by every plug-in.
#include "CommonHelpers/FileBytes.h"
#include "CommonHelpers/FileReader.h"
#include "CommonHelpers/strutils.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Identity : Plugin::ICharConverter {
    std::wstring convertString(const std::string& bytes) override { return std::wstring(bytes.begin(), bytes.end()); }
};

std::vector<std::string> viaStream(const std::string& data)
{
    std::istringstream in(data);
    std::vector<std::string> lines;
    std::string line;
    while (strutils::safeGetline(in, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> viaBuffer(const std::string& data)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t pos = 0;
    while (strutils::nextLine(data, pos, line))
        lines.push_back(line);
    return lines;
}

struct LineCase {
    const char* name;
    std::string data;
    std::vector<std::string> lines;
};

class LineSplitting : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineSplitting, StreamAndBufferAgree)
{
    const auto& c = GetParam();
    EXPECT_EQ(viaStream(c.data), c.lines);
    EXPECT_EQ(viaBuffer(c.data), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Terminators, LineSplitting,
    ::testing::Values(LineCase{"mixed", "a\r\nb\rc", {"a", "b", "c"}},
                      LineCase{"two_lf", "a\n\n", {"a", ""}},
                      LineCase{"empty", "", {}},
                      LineCase{"lone_cr_at_end", "a\r", {"a"}},
                      LineCase{"cr_cr_lf", "a\r\r\nb", {"a", "", "b"}},
                      LineCase{"lf_cr", "a\n\rb", {"a", "", "b"}},
                      LineCase{"only_newlines", "\n\n\n", {"", "", ""}},
                      LineCase{"nul_inside", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileBytes, DropsUtf8ByteOrderMark)
{
    test::TempDir dir;
    Plugin::FileBytes file;
    ASSERT_TRUE(Plugin::readFileBytes(test::U(dir.write("bom.txt", "\xEF\xBB\xBFP,A\n")), file));
    EXPECT_TRUE(file.utf8Bom);
    EXPECT_EQ(file.bytes, "P,A\n");

    ASSERT_TRUE(Plugin::readFileBytes(test::U(dir.write("nobom.txt", "\xEF\xBBP")), file));
    EXPECT_FALSE(file.utf8Bom);
    EXPECT_EQ(file.bytes, "\xEF\xBBP");
}

TEST(FileBytes, ReadsEveryByteWithOrWithoutMarkAtAnySize)
{
    test::TempDir dir;
    std::string large(200000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 131 % 251);
    const std::string bom = "\xEF\xBB\xBF";
    for (const std::string& content : {std::string(), std::string("a"), std::string("ab"), std::string("abc"),
                                       std::string("abcd"), large}) {
        for (const bool marked : {false, true}) {
            Plugin::FileBytes file;
            ASSERT_TRUE(Plugin::readFileBytes(test::U(dir.write("f.txt", (marked ? bom : "") + content)), file));
            EXPECT_EQ(file.utf8Bom, marked) << content.size();
            EXPECT_TRUE(file.bytes == content) << content.size() << (marked ? " marked" : "");
        }
    }
}

TEST(FileBytes, ReadsFilesThatReportNoSize)
{
    // Files of /proc report a size of 0 and still have content.
    Plugin::FileBytes file;
    ASSERT_TRUE(Plugin::readFileBytes("/proc/self/status", file));
    EXPECT_NE(file.bytes.find("Name:"), std::string::npos);
}

TEST(FileBytes, DirectoryAndMissingFileFailLikeAnUnopenableFile)
{
    test::TempDir dir;
    Plugin::FileBytes file;
    EXPECT_FALSE(Plugin::readFileBytes(dir.path(), file));
    EXPECT_FALSE(Plugin::readFileBytes(dir.path() / "missing.txt", file));
}

TEST(FileReader, ReadsLinesConvertedOneByOne)
{
    test::TempDir dir;
    Identity identity;
    Plugin::FileReader reader(dir.write("f.txt", "\xEF\xBB\xBF" "one\r\ntwo\rthree"), &identity);
    ASSERT_TRUE(reader.isOpen());
    std::vector<std::wstring> lines;
    reader.readLines(lines);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"one", L"two", L"three"}));
    EXPECT_FLOAT_EQ(reader.getPercent(), 100.0f);
    std::wstring line = L"x";
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_TRUE(line.empty());
}

TEST(FileReader, DirectoryIsNotOpen)
{
    test::TempDir dir;
    Identity identity;
    Plugin::FileReader reader(test::W(dir.path().string()), &identity);
    EXPECT_FALSE(reader.isOpen());
    std::vector<std::wstring> lines{L"stale"};
    reader.readLines(lines);
    EXPECT_TRUE(lines.empty());
}

} // namespace
