// Point lines of the three point sections: fields, heights, duplicates,
// generated names and the value separator.
#include "TgoTestSupport.h"

#include <cmath>

namespace {

using tgo::importText;
using tgo::lineEvents;
using tgo::onlyFile;

const std::string kStations = tgo::kCommaGeneral + "[Stations]\n"; // data starts on line 3
const wchar_t* const kBadLineText = L"Некорректный формат строки";
const wchar_t* const kNoSeparatorText = L"Не задан разделитель для значений в секции [General]";

struct PointCase {
    const char* line;
    bool sendsPoint;
    bool sendsHeights;
    const wchar_t* error; // nullptr when the line is fine
};

class TgoPointLine : public ::testing::TestWithParam<PointCase> {};

TEST_P(TgoPointLine, SendsWhatItsKeyAndFieldsAllow)
{
    const PointCase& c = GetParam();
    const auto target = importText(kStations + c.line + "\n");
    std::vector<std::wstring> expected;
    if (c.error)
        expected.push_back(std::wstring(L"ReportError(") + c.error + L")");
    if (c.sendsPoint) {
        expected.insert(expected.end(), {L"SetText(Point,\"P1\")", L"SetValue(Latitude,…)", L"SetValue(Longitude,…)"});
    }
    if (c.sendsHeights)
        expected.insert(expected.end(), {L"SetElevation(130.5)", L"SetEllipsoidalHeight(150.25)"});
    EXPECT_EQ(lineEvents(target, 3), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TgoPointLine,
    ::testing::Values(PointCase{"Station=a,b,P1,55.5N,37.5E,150.25,x,y,130.5", true, true, nullptr},
                      PointCase{"Station=a,b,P1,55.5N,37.5E,150.25,x,y,130.5,more,fields", true, true, nullptr},
                      PointCase{"LLCoord=a,b,P1,55.5N,37.5E,150.25,x,y,130.5", true, false, nullptr},
                      PointCase{"ObsCoord=a,b,P1,55.5N,37.5E,150.25,x,y,130.5", true, false, nullptr},
                      PointCase{"Station=a,b,P1,55.5N,37.5E,150.25,x,y", true, false, nullptr},
                      PointCase{"Station=a,b,P1,55.5N,37.5E", true, false, nullptr},
                      PointCase{"Station=a,b,P1,55.5NN,37.5EE", true, false, nullptr},
                      PointCase{"Station=a,b,P1,55.5N", false, false, kBadLineText},
                      PointCase{"Station=a,b,P1,north,37.5E", false, false, kBadLineText},
                      PointCase{"Station=a,b,P1,55.5N,37.5", true, false, nullptr},
                      PointCase{"Station=a,b,P1,55.5N,", false, false, kBadLineText},
                      PointCase{"Station=a,b,P1,55.5N,37.5E=", false, false, kBadLineText},
                      PointCase{"Station", false, false, kBadLineText},
                      PointCase{"Station =a,b,P1,55.5N,37.5E", false, false, nullptr},
                      PointCase{"station=a,b,P1,55.5N,37.5E", false, false, nullptr},
                      PointCase{"Vector=a,b,P1,55.5N,37.5E", false, false, nullptr}));

// Angles go to the host converter with "S" and "W" left on; heights take
// either decimal mark and read as 0 when unreadable.
TEST(TgoPointValues, AnglesAndHeights)
{
    const std::string text = "[General]\nSeparator=;\n[Stations]\n"
                             "Station=2;;N1;55,5N;37.25E;150,25;?;?;130.75\n"
                             "Station=2;;S1;38.170888484S;144.428036090E;?;?;?;n/a\n"
                             "Station=2;;W1;12.5N;70.75W\n";
    const auto& file = onlyFile(importText(text));
    ASSERT_EQ(file.points.size(), 3u);
    const double expected[3][2] = {{55.5, 37.25}, {-38.170888484, 144.428036090}, {12.5, -70.75}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(*file.points[i].latitude, tgo::radians(expected[i][0]), 1e-12) << i;
        EXPECT_NEAR(*file.points[i].longitude, tgo::radians(expected[i][1]), 1e-12) << i;
    }
    EXPECT_EQ(*file.points[0].ellipsoidalHeight, 150.25);
    EXPECT_EQ(*file.points[0].elevation, 130.75);
    EXPECT_EQ(*file.points[1].ellipsoidalHeight, 0.0);
    EXPECT_EQ(*file.points[1].elevation, 0.0);
    EXPECT_TRUE(file.messages.empty());
}

// Counts how often the plug-in asks for ISatImportTarget2.
class Target2Counter : public host::RecordingTarget {
public:
    using host::RecordingTarget::RecordingTarget;
    void* QueryInterface(Plugin::SatImportTargetInterface id) override
    {
        if (id == Plugin::IID_ISatImportTarget2)
            ++target2Queries;
        return host::RecordingTarget::QueryInterface(id);
    }
    int target2Queries = 0;
};

void importInto(host::RecordingTarget& target, const std::string& text)
{
    test::TempDir dir;
    auto loaded = host::LoadedPlugin::load(test::pluginPath("tgotbc"));
    host::SettingsStore settings;
    loaded.plugin()->LoadSettings(&settings);
    host::FileList files({dir.write("export.asc", text)});
    loaded.plugin()->DoImport(&files, &target);
}

// The target is asked for ISatImportTarget2 on every line with heights.
TEST(TgoHeights, WithoutTarget2PointsComeWithoutHeights)
{
    host::RecordingTarget::Options options;
    options.offerTarget2 = false;
    Target2Counter target(options);
    importInto(target, kStations + tgo::stationLine("A") + tgo::stationLine("B"));
    ASSERT_EQ(target.files().size(), 1u);
    const auto& file = target.files()[0];
    ASSERT_EQ(file.points.size(), 2u);
    EXPECT_FALSE(file.points[1].elevation.has_value());
    EXPECT_EQ(target.target2Queries, 2);
    EXPECT_TRUE(file.messages.empty());
}

// A repeated name sends nothing, not even heights: they would land on the
// point opened last, here B.
TEST(TgoDuplicates, RepeatedStationSendsNeitherPointNorHeights)
{
    const std::string text = kStations + tgo::stationLine("A", "10", "5") + tgo::stationLine("B", "20", "15") +
                             tgo::stationLine("A", "99", "98") + "[Keyed In Coordinates]\nLLCoord=1,,B,55N,37E\n";
    const auto target = importText(text);
    const auto& file = onlyFile(target);
    ASSERT_EQ(tgo::pointNames(file), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(*file.points[0].ellipsoidalHeight, 10.0);
    EXPECT_EQ(*file.points[1].ellipsoidalHeight, 20.0);
    EXPECT_EQ(*file.points[1].elevation, 15.0);
    EXPECT_TRUE(lineEvents(target, 5).empty());
    EXPECT_TRUE(lineEvents(target, 7).empty());
    EXPECT_TRUE(file.messages.empty());
}

// Unnamed points and vector ends share one counter.
TEST(TgoGeneratedNames, CountAcrossPointsAndVectors)
{
    const std::string text = kStations + "Station=2,,,55N,37E\n"
                                         "[GPS]\n" +
                             tgo::vectorLine("", "") + tgo::vectorLine("A", "") + "[Stations]\nLLCoord=1,,,56N,38E\n";
    const auto target = importText(text);
    const auto& file = onlyFile(target);
    EXPECT_EQ(tgo::messages(file, host::ImportMessage::Warning),
              (std::vector<std::wstring>{L"Пустое имя пункта. Генерируем имя point_0.@3",
                                         L"Пустое имя пункта. Генерируем имя point_1.@5",
                                         L"Пустое имя пункта. Генерируем имя point_2.@5",
                                         L"Пустое имя пункта. Генерируем имя point_3.@6",
                                         L"Пустое имя пункта. Генерируем имя point_4.@8"}));
    EXPECT_EQ(tgo::pointNames(file), (std::vector<std::wstring>{L"point_0", L"point_4"}));
    ASSERT_EQ(file.vectors.size(), 2u);
    EXPECT_EQ(file.vectors[0].origin, L"point_1");
    EXPECT_EQ(file.vectors[0].target, L"point_2");
    EXPECT_EQ(file.vectors[1].target, L"point_3");
    // The warning comes before the point it names.
    EXPECT_EQ(lineEvents(target, 3).front(), L"ReportWarning(Пустое имя пункта. Генерируем имя point_0.)");
}

// A generated name never takes a name the file has already used for a point
// or a vector end; the counter still only grows.
TEST(TgoGeneratedNames, SkipNamesAlreadyUsedInTheFile)
{
    const std::string text = kStations + tgo::stationLine("point_0") + "[GPS]\n" +
                             tgo::vectorLine("point_2", "point_1") + "[Stations]\nStation=2,,,55N,37E\n[GPS]\n" +
                             tgo::vectorLine("", "point_4") + tgo::vectorLine("", "");
    const auto& file = onlyFile(importText(text));
    EXPECT_EQ(tgo::pointNames(file), (std::vector<std::wstring>{L"point_0", L"point_3"}));
    ASSERT_EQ(file.vectors.size(), 3u);
    EXPECT_EQ(file.vectors[1].origin, L"point_5");
    EXPECT_EQ(file.vectors[2].origin, L"point_6");
    EXPECT_EQ(file.vectors[2].target, L"point_7");
}

struct SeparatorCase {
    const char* general;
    const char* line;
    const wchar_t* error; // nullptr when the point is sent
};

class TgoSeparator : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(TgoSeparator, DecidesHowFieldsSplit)
{
    const SeparatorCase& c = GetParam();
    const auto& file = onlyFile(importText(std::string(c.general) + "[Stations]\n" + c.line + "\n"));
    if (c.error) {
        EXPECT_TRUE(file.points.empty());
        ASSERT_FALSE(file.messages.empty());
        EXPECT_EQ(file.messages.front().text, c.error);
    } else {
        EXPECT_EQ(tgo::pointNames(file), std::vector<std::wstring>{L"P1"});
        EXPECT_TRUE(file.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, TgoSeparator,
    ::testing::Values(SeparatorCase{"", "Station=2,,P1,55N,37E", kNoSeparatorText},
                      SeparatorCase{"[General]\n", "Station=2,,P1,55N,37E", kNoSeparatorText},
                      SeparatorCase{"[General]\nSeparator=\n", "Station=2,,P1,55N,37E", kNoSeparatorText},
                      SeparatorCase{"[General]\nSeparator =,\n", "Station=2,,P1,55N,37E", kNoSeparatorText},
                      SeparatorCase{"[General]\nSeparator=;,\n", "Station=2;,P1,55N;37E", nullptr},
                      SeparatorCase{"[General]\nSeparator=::\n", "Station=2::P1:55N:37E", nullptr},
                      // Trimming takes a blank separator away with the line's end.
                      SeparatorCase{"[General]\nSeparator=\t\n", "Station=2\t\tP1\t55N\t37E",
                                    kNoSeparatorText},
                      SeparatorCase{"[General]\nSeparator=,\n", "Station=2;;P1;55N;37E", kBadLineText},
                      SeparatorCase{"[General]\nSeparator=,\n", "LLCoord=2,,P1, 55N,37E", nullptr},
                      SeparatorCase{"[General]\nSeparator=,=\n", "Station=2,,P1,55N,37E",
                                    kBadLineText}));

} // namespace
