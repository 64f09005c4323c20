// Reading a TGO/TBC file: file-level failures, progress, line endings and
// the section headers that drive the parser.
#include "TgoTestSupport.h"

namespace {

using tgo::importText;
using tgo::onlyFile;

TEST(TgoReader, UnopenableFileGivesOneErrorAndNothingElse)
{
    test::TempDir dir;
    const std::wstring path = test::W((dir.path() / "missing.asc").string());
    const std::vector<std::wstring> expected = {L"SetCurrentFile(" + path + L")",
                                                L"ReportError(Ошибка при открытии файла)"};
    EXPECT_EQ(test::importWith("tgotbc", {path}).describeEvents(), expected);
}

TEST(TgoReader, EmptyFileIsAnUnknownFormat)
{
    auto events = importText("").describeEvents();
    ASSERT_FALSE(events.empty());
    events.erase(events.begin());
    const std::vector<std::wstring> expected = {L"SetProgress(100)", L"SetCurrentLine(-1)",
                                                L"ReportError(Неизвестный формат файла)"};
    EXPECT_EQ(events, expected);
}

TEST(TgoReader, ProgressFollowsEveryLineThenEndsAtHundred)
{
    const auto& file = onlyFile(importText(tgo::kCommaGeneral + "[Stations]\n" + tgo::stationLine("P1")));
    EXPECT_EQ(file.progress, (std::vector<float>{25, 50, 75, 100, 100}));
}

// Single-precision rounding would put the last step above 100 here.
TEST(TgoReader, ProgressOfAHugeFileNeverPassesHundred)
{
    test::ImportRun run;
    run.options.recordProgress = false; // the host still checks the range
    const auto& file = onlyFile(importText(std::string(671091, '\n'), run));
    EXPECT_EQ(file.count(host::ImportMessage::HostWarning), 0u);
}

// Every kind of line ending, and a last line without one, gives the same
// lines; an empty line inside the file is a line of its own.
TEST(TgoReader, LineEndingsGiveTheSameLines)
{
    for (const std::string eol : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(eol == "\n" ? "LF" : eol == "\r" ? "CR" : "CRLF");
        const std::string text = "[General]" + eol + "Separator=," + eol + eol + "[Stations]" + eol +
                                 "Station=2,,P1,55.5N,37.5E" + eol + "bad";
        const auto& file = onlyFile(importText(text));
        ASSERT_EQ(file.points.size(), 1u);
        EXPECT_EQ(file.points[0].line, 4);
        EXPECT_EQ(tgo::messages(file), std::vector<std::wstring>{tgo::kBadLine + L"@5"});
        EXPECT_EQ(file.progress.size(), 7u);
    }
}

struct Scenario {
    const char* name;
    std::string text;
    std::vector<std::wstring> points;
    std::size_t vectors;
    std::vector<std::wstring> errors; // "message@line"
};

std::ostream& operator<<(std::ostream& out, const Scenario& s) { return out << s.name; }

class TgoSections : public ::testing::TestWithParam<Scenario> {};

TEST_P(TgoSections, DriveWhatEachLineMeans)
{
    const Scenario& s = GetParam();
    const auto& file = onlyFile(importText(s.text));
    EXPECT_EQ(tgo::pointNames(file), s.points);
    EXPECT_EQ(file.vectors.size(), s.vectors);
    EXPECT_EQ(tgo::messages(file), s.errors);
}

const std::wstring kBad = tgo::kBadLine;
const std::wstring kUnknown = tgo::kUnknownFormat + L"@-1";

INSTANTIATE_TEST_SUITE_P(
    Files, TgoSections,
    ::testing::Values(
        Scenario{"HeaderOuterBlanksTrimmed", tgo::kCommaGeneral + " \t[GPS]  \n" + tgo::vectorLine("A", "B"), {}, 1,
                 {}},
        // "[ GPS ]" is another, unknown section: its lines go unread.
        Scenario{"HeaderInnerBlanksKept", tgo::kCommaGeneral + "[ GPS ]\n" + tgo::vectorLine("A", "B"), {}, 0,
                 {kUnknown}},
        // Before the first section and in unknown, empty-named or
        // lower-case sections nothing is read and nothing reported.
        Scenario{"UnknownSectionsSilent",
                 "junk without equals\n" + tgo::kCommaGeneral + "[Terrestrial]\nStation=,,,\n[]\nVector=x\n[gps]\n" +
                     tgo::vectorLine("A", "B") + "[Stations]\n" + tgo::stationLine("P1"),
                 {L"P1"}, 0, {}},
        Scenario{"AnyOrderAndRepeated",
                 tgo::kCommaGeneral + "[GPS]\n" + tgo::vectorLine("A", "B") + "[Stations]\n" + tgo::stationLine("A") +
                     "[GPS]\n" + tgo::vectorLine("B", "C") +
                     "[Observed Coordinates]\nObsCoord=1,,B,55N,37E\n[Keyed In Coordinates]\nLLCoord=1,,C,56N,38E\n"
                     "[Stations]\n[Stations]\nStation=2,,D,57N,39E\n",
                 {L"A", L"B", L"C", L"D"}, 2, {}},
        Scenario{"OpeningBracketAloneIsABadLine",
                 "[General]\n[Stations\nSeparator=,\n[Stations]\n" + tgo::stationLine("P"), {L"P"}, 0, {kBad + L"@1"}},
        // A second "[General]" keeps the separator until a new one comes.
        Scenario{"SeparatorHoldsUntilReplaced",
                 "[General]\nSeparator=;\n[Stations]\nStation=2;;A;55N;37E\n[General]\nVersion=2\n[Stations]\n"
                 "Station=2;;B;55N;37E\n[General]\nSeparator=,\n[Stations]\nStation=2;;C;55N;37E\n" +
                     tgo::stationLine("D"),
                 {L"A", L"B", L"D"}, 0, {kBad + L"@11"}},
        Scenario{"BadLineAmongGoodOnes",
                 tgo::kCommaGeneral + "[Stations]\n" + tgo::stationLine("A") + "Station=2,,B,north,37E\n" +
                     tgo::stationLine("C"),
                 {L"A", L"C"}, 0, {kBad + L"@4"}},
        Scenario{"EveryDataLineFails", "[Stations]\nStation=2,,A,55N,37E\n[General]\nSeparator\n", {}, 0,
                 {tgo::kNoSeparator + L"@1", kBad + L"@3", kUnknown}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// The separator and the names already sent belong to one file.
TEST(TgoReader, EveryFileStartsAfresh)
{
    test::TempDir dir;
    const std::string stations = "[Stations]\n" + tgo::stationLine("P1");
    const auto target = test::importWith("tgotbc", {dir.write("a.asc", tgo::kCommaGeneral + stations),
                                                    dir.write("b.asc", stations),
                                                    dir.write("c.asc", tgo::kCommaGeneral + stations)});
    ASSERT_EQ(target.files().size(), 3u);
    EXPECT_EQ(tgo::pointNames(target.files()[0]), std::vector<std::wstring>{L"P1"});
    EXPECT_EQ(tgo::messages(target.files()[1]), (std::vector<std::wstring>{tgo::kNoSeparator + L"@1", kUnknown}));
    EXPECT_EQ(tgo::pointNames(target.files()[2]), std::vector<std::wstring>{L"P1"});
}

} // namespace
