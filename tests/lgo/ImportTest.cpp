// Points and lines tables imported through the real plug-in in the
// reference host.
#include "LgoTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using lgo::kLinesHeader;
using lgo::kPointsHeader;
using Rows = std::vector<std::vector<std::string>>;

const wchar_t* const kInvalid = L"Неизвестный формат файла";

// One point row that reads the same at tabs, commas and blanks.
const std::vector<std::string> kPointRow = {"A1", "55°45'12.5\"N", "37°37'04.25\"E", "187.342"};

void expectPointA1(const host::ImportedFile& file)
{
    ASSERT_EQ(file.points.size(), 1u) << test::U(file.path);
    const auto& p = file.points[0];
    EXPECT_EQ(p.name, L"A1");
    EXPECT_NEAR(*p.latitude, lgo::dmsRadians(55, 45, 12.5), 1e-12);
    EXPECT_NEAR(*p.longitude, lgo::dmsRadians(37, 37, 4.25), 1e-12);
    EXPECT_DOUBLE_EQ(*p.ellipsoidalHeight, 187.342);
    EXPECT_FALSE(p.elevation);
    EXPECT_TRUE(file.messages.empty());
    EXPECT_EQ(file.progress, std::vector<float>{100.0f});
}

struct SeparatorCase {
    const char* name;
    char separator;
};

class Separators : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(Separators, PointsTableGivesPointAnglesHeightAndProgress)
{
    test::TempDir dir;
    auto header = kPointsHeader;
    if (GetParam().separator == ' ')
        header = {"Point_Id", "Latitude", "Longitude", "Ellip._Hgt."};
    const auto path = dir.write(GetParam().name, lgo::table({header, kPointRow}, GetParam().separator));
    const auto target = test::importWith("lgo", {path});
    ASSERT_EQ(target.files().size(), 1u);
    expectPointA1(target.files()[0]);
    EXPECT_EQ(lgo::eventsOf(target, false).size(), 4u) << "name, latitude, longitude, height";
}

const SeparatorCase kSeparatorCases[] = {
    {"p.txt", '\t'}, {"P.TXT", '\t'}, {"p.csv", ','}, {"P.CSV", ','}, {"p.prn", ' '}, {"P.Prn", ' '},
};

INSTANTIATE_TEST_SUITE_P(Lgo, Separators, ::testing::ValuesIn(kSeparatorCases), [](const auto& info) {
    std::string n = info.param.name;
    n[1] = '_';
    return n;
});

// Names the file fails on before any event: the path reaches the host, then
// the format error, and the next file is still imported.
TEST(LgoImport, RejectedFilesReportInvalidFormatAndTheNextFileFollows)
{
    test::TempDir dir;
    const std::string points = lgo::table({kPointsHeader, kPointRow}, '\t');
    const std::vector<std::wstring> rejected = {
        dir.write(".txt", points),
        dir.write("points", points),
        dir.write("points.txt.bak", points),
        dir.write("quoted.csv", lgo::table({{"\"Point Id\"", "\"Latitude\"", "\"Longitude\"", "\"Ellip. Hgt.\""},
                                            {"A1", "1", "2", "3"}},
                                           ',')),
        dir.write("blanks.csv", "Point Id, Latitude, Longitude, Ellip. Hgt.\r\nA1, 55 45 12 N, 37 37 04 E, 1\r\n"),
        dir.write("no-height.txt", lgo::table({{"Point Id", "Latitude", "Longitude"}, {"A1", "1", "2"}}, '\t')),
        dir.write("no-q33.txt", lgo::table({{"Reference Id", "Rover Id", "dX", "dY", "dZ", "Q11", "Q22"},
                                            {"A", "B", "1", "2", "3", "4", "5"}},
                                           '\t')),
        dir.write("neither.txt", lgo::table({{"Name", "Latitude"}, {"A1", "1"}}, '\t')),
        dir.write("empty.txt", ""),
    };
    auto paths = rejected;
    paths.push_back(dir.write("good.txt", points));
    for (bool target2 : {true, false}) {
        host::RecordingTarget::Options options;
        options.offerTarget2 = target2;
        const auto target = test::importWith("lgo", paths, {{}, options});
        ASSERT_EQ(target.files().size(), paths.size());
        for (std::size_t i = 0; i < rejected.size(); ++i) {
            const auto& file = target.files()[i];
            EXPECT_EQ(file.path, rejected[i]);
            ASSERT_EQ(file.messages.size(), 1u) << test::U(file.path);
            EXPECT_EQ(file.messages[0].text, kInvalid) << test::U(file.path);
            EXPECT_EQ(file.messages[0].line, -1);
            EXPECT_TRUE(file.points.empty() && file.vectors.empty() && file.progress.empty());
        }
        EXPECT_EQ(target.files().back().points.size(), 1u);
    }
}

TEST(LgoImport, ColumnsInAnyOrderWithExtraColumnsGiveTheSameEvents)
{
    test::TempDir dir;
    const auto plain = dir.write("plain.txt", lgo::table({kPointsHeader, kPointRow}, '\t'));
    const auto shuffled = dir.write(
        "shuffled.csv", lgo::table({{"Code", "Ellip. Hgt.", "Longitude", "Class", "Point Id", "Latitude", "Note"},
                                    {"X", "187.342", "37°37'04.25\"E", "Control", "A1", "55°45'12.5\"N", "n"}},
                                   ','));
    const auto a = test::importWith("lgo", {plain});
    const auto b = test::importWith("lgo", {shuffled});
    EXPECT_EQ(lgo::eventsOf(a), lgo::eventsOf(b));
    expectPointA1(b.files()[0]);
}

TEST(LgoImport, HeaderWithBothIdColumnsIsAPointsTable)
{
    test::TempDir dir;
    auto header = kLinesHeader;
    header.insert(header.end(), kPointsHeader.begin(), kPointsHeader.end());
    auto row = std::vector<std::string>{"B", "R", "1", "2", "3", "4", "9", "16"};
    row.insert(row.end(), kPointRow.begin(), kPointRow.end());
    const auto both = dir.write("both.txt", lgo::table({header, row}, '\t'));
    // Without a latitude column the points table is incomplete: the lines
    // columns do not rescue it.
    std::vector<std::string> noLatitude = kLinesHeader;
    noLatitude.push_back("Point Id");
    const auto broken = dir.write("broken.txt", lgo::table({noLatitude, {"B", "R", "1", "2", "3", "4", "9", "16", "A1"}}, '\t'));

    const auto target = test::importWith("lgo", {both, broken});
    ASSERT_EQ(target.files().size(), 2u);
    expectPointA1(target.files()[0]);
    EXPECT_TRUE(target.files()[0].vectors.empty());
    EXPECT_TRUE(target.files()[1].vectors.empty());
    ASSERT_EQ(target.files()[1].messages.size(), 1u);
    EXPECT_EQ(target.files()[1].messages[0].text, kInvalid);
}

// Ten rows, the third blank and the seventh too short to reach the height:
// both are skipped, yet still count for the progress values.
TEST(LgoImport, BlankAndShortRowsAreSkippedButCountedForProgress)
{
    test::TempDir dir;
    Rows rows = {{"Ellip. Hgt.", "Point Id", "Latitude", "Longitude", "Code"}};
    for (int i = 1; i <= 10; ++i) {
        if (i == 3)
            rows.push_back({""});
        else if (i == 7)
            rows.push_back({"7", "P7", "55 45 12 N"});
        else
            rows.push_back({std::to_string(i), "P" + std::to_string(i), "55 45 12 N", "37 37 04 E"});
    }
    const auto target = test::importWith("lgo", {dir.write("rows.txt", lgo::table(rows, '\t'))});
    const auto& file = target.files().at(0);
    EXPECT_EQ(file.progress, (std::vector<float>{10, 20, 40, 50, 60, 80, 90, 100}));
    ASSERT_EQ(file.points.size(), 8u) << "a row lacking only the unused last column is read";
    EXPECT_EQ(file.points[2].name, L"P4");
    EXPECT_TRUE(file.messages.empty());
}

TEST(LgoImport, HeaderOnlyFileSendsNothingAndReportsNothing)
{
    test::TempDir dir;
    const auto points = dir.write("points.txt", lgo::table({kPointsHeader}, '\t'));
    const auto lines = dir.write("lines.txt", lgo::table({kLinesHeader}, '\t'));
    const auto target = test::importWith("lgo", {points, lines});
    EXPECT_TRUE(lgo::eventsOf(target).empty());
}

TEST(LgoImport, WithoutTarget2PointsComeWithoutHeight)
{
    test::TempDir dir;
    host::RecordingTarget::Options options;
    options.offerTarget2 = false;
    const auto target =
        test::importWith("lgo", {dir.write("p.txt", lgo::table({kPointsHeader, kPointRow}, '\t'))}, {{}, options});
    const auto events = lgo::eventsOf(target, false);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], L"SetText(Point,\"A1\")");
    EXPECT_EQ(target.files()[0].progress, std::vector<float>{100.0f});
}

std::wstring valueEvent(Plugin::SatEvents id, double value)
{
    host::TargetEvent e(host::TargetEvent::SetValue);
    e.id = id;
    e.value = value;
    return host::describe(e);
}

TEST(LgoImport, LinesTableGivesVectorsWithSigmasRmsAndFactor)
{
    test::TempDir dir;
    const auto path = dir.write("lines.csv", lgo::table({kLinesHeader, {"BASE", "ROV", "1.5", "-2.25", "1", "4", "9", "16"},
                                                         {"BASE", "R2", "0", "0", "0", "0", "0", "0"}},
                                                        ','));
    const auto target = test::importWith("lgo", {path});
    const auto events = lgo::eventsOf(target);
    ASSERT_EQ(events.size(), 22u);
    EXPECT_EQ(std::vector<std::wstring>(events.begin(), events.begin() + 11),
              (std::vector<std::wstring>{L"SetText(VectorOrigin,\"BASE\")", L"SetText(VectorTarget,\"ROV\")",
                                         L"SetValue(DeltaX,1.5)", L"SetValue(DeltaY,-2.25)", L"SetValue(DeltaZ,1)",
                                         L"SetValue(SigmaX,2)", L"SetValue(SigmaY,3)", L"SetValue(SigmaZ,4)",
                                         valueEvent(Plugin::RMS, std::sqrt(29.0)), L"SetValue(Factor,1)",
                                         L"SetProgress(50)"}));
    const auto& zero = target.files()[0].vectors.at(1);
    EXPECT_EQ(*zero.sigmaX(), 0.0);
    EXPECT_EQ(*zero.rms(), 0.0);
    EXPECT_EQ(*zero.factor(), 1.0);
}

// Row 1 goes whole, row 2 up to its deltas, row 3 never; the next file is
// imported.
TEST(LgoImport, NegativeVarianceEndsTheFileAfterTheRowsDeltas)
{
    test::TempDir dir;
    const auto bad = dir.write("bad.txt", lgo::table({kLinesHeader, {"B", "R1", "1", "2", "3", "4", "9", "16"},
                                                      {"B", "R2", "5", "6", "7", "4", "-0.0001", "16"},
                                                      {"B", "R3", "1", "1", "1", "1", "1", "1"}},
                                                     '\t'));
    const auto good = dir.write("good.prn", lgo::table({{"Reference_Id", "Rover_Id", "dX", "dY", "dZ", "Q11", "Q22", "Q33"},
                                                        {"B", "R4", "1", "1", "1", "1", "1", "1"}},
                                                       ' '));
    const auto target = test::importWith("lgo", {bad, good});
    ASSERT_EQ(target.files().size(), 2u);
    const auto events = lgo::eventsOf(target);
    const std::vector<std::wstring> badEvents(events.begin() + 11, events.begin() + 17);
    EXPECT_EQ(badEvents, (std::vector<std::wstring>{L"SetText(VectorOrigin,\"B\")", L"SetText(VectorTarget,\"R2\")",
                                                    L"SetValue(DeltaX,5)", L"SetValue(DeltaY,6)", L"SetValue(DeltaZ,7)",
                                                    std::wstring(L"ReportError(") + kInvalid + L")"}));
    const auto& first = target.files()[0];
    ASSERT_EQ(first.vectors.size(), 2u);
    EXPECT_TRUE(first.vectors[0].factor());
    EXPECT_FALSE(first.vectors[1].sigmaX());
    EXPECT_EQ(first.progress, std::vector<float>{100.0f / 3});
    ASSERT_EQ(target.files()[1].vectors.size(), 1u);
    EXPECT_EQ(target.files()[1].vectors[0].target, L"R4");
    EXPECT_TRUE(target.files()[1].messages.empty());
}

// Numbers take "," or "." as decimal mark whatever the locale; a second
// mark ends the number and text gives 0.
TEST(LgoImport, NumbersReadCommaDecimalsAndFallBackToZero)
{
    const std::string content = lgo::table(
        {kLinesHeader, {"B", "R", "1,5", "1,234.5", "abc", "0,25", "2.25", "1e-2x"}}, '\t');
    auto check = [&](const char* where) {
        test::TempDir dir;
        const auto target = test::importWith("lgo", {dir.write("lines.txt", content)});
        const auto& v = target.files().at(0).vectors.at(0);
        EXPECT_DOUBLE_EQ(*v.dx(), 1.5) << where;
        EXPECT_DOUBLE_EQ(*v.dy(), 1.234) << where;
        EXPECT_DOUBLE_EQ(*v.dz(), 0.0) << where;
        EXPECT_DOUBLE_EQ(*v.sigmaX(), 0.5) << where;
        EXPECT_DOUBLE_EQ(*v.sigmaY(), 1.5) << where;
        EXPECT_DOUBLE_EQ(*v.sigmaZ(), 0.1) << where;
    };
    check("C locale");
    if (const char* comma = test::commaDecimalLocale()) {
        test::CLocaleGuard guard(comma);
        check(comma);
    }
}

// Every example table imports whole and the three separators agree.
TEST(LgoImport, ExamplesImportAlikeInEverySeparator)
{
    for (const char* kind : {"points", "lines"}) {
        std::vector<std::vector<std::wstring>> streams;
        for (const char* ext : {".txt", ".csv", ".prn"}) {
            const auto path = test::sourcePath(std::string("examples/lgo/") + kind + ext);
            const auto target = test::importWith("lgo", {test::W(path.string())});
            ASSERT_EQ(target.files().size(), 1u);
            const auto& file = target.files()[0];
            EXPECT_TRUE(file.messages.empty()) << path;
            EXPECT_EQ(file.points.size() + file.vectors.size(), 6u) << path;
            streams.push_back(lgo::eventsOf(target));
        }
        EXPECT_EQ(streams[0], streams[1]) << kind;
        EXPECT_EQ(streams[0], streams[2]) << kind;
    }
}

} // namespace
