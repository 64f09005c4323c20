// The Pinnacle import loop: the parser chosen by the file name, several
// files in one import, failures that end one file and not the import.
#include "PinnacleTrace.h"

#include <gtest/gtest.h>

namespace {

using pinnacle::importFiles;
using pinnacle::trace;
using Trace = std::vector<std::string>;

const std::string kStation = ":::\nheader\na*b*c*P1*0.9*x*0.6*y*150.2\n";
const std::string kVector = ":::\nx*R1*B1*y*z*1.5*-2.25*0.75\n0.0004 0 0.0009 0 0 0.0016\n";
const std::string kWrongName = "Error(Требуется station.dat или vector.dat файл.)";

class PinnacleImport : public ::testing::TestWithParam<bool> {};

// Only the end of the whole path counts, in any letter case.
TEST_P(PinnacleImport, ParserChosenByTheEndOfTheName)
{
    enum Kind { Station, Vector, Rejected };
    struct Case {
        const char* name;
        Kind kind;
    };
    const Case cases[] = {
        {"station.dat", Station},     {"Station.Dat", Station},   {"D:\\job\\STATION.DAT", Station},
        {"mystation.dat", Station},   {"job/STATION.DAT", Station}, {"vector.dat", Vector},
        {"VECTOR.DAT", Vector},       {"old-Vector.dAt", Vector},  {"stations.dat", Rejected},
        {"station.dat.bak", Rejected}, {"station.txt", Rejected},  {"vectors.dat", Rejected},
        {"vector.da", Rejected},      {"station", Rejected},       {"station.dat/notes", Rejected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A station file under a vector name fails and the other way round,
        // so the outcome tells which parser read it.
        auto r = importFiles({{c.name, c.kind == Vector ? kVector : kStation}}, GetParam());
        const Trace events = trace(r.target);
        if (c.kind == Rejected) {
            EXPECT_EQ(events, Trace{kWrongName});
            continue;
        }
        ASSERT_EQ(r.target.files().size(), 1u);
        const auto& file = r.target.files()[0];
        EXPECT_EQ(file.path, r.paths[0]);
        EXPECT_FALSE(file.hasErrors());
        EXPECT_EQ(file.points.size(), c.kind == Station ? 1u : 0u);
        EXPECT_EQ(file.vectors.size(), c.kind == Vector ? 1u : 0u);
    }
}

// Each failure ends its own file only; the files after it are imported.
TEST_P(PinnacleImport, FailingFilesDoNotStopTheImport)
{
    test::TempDir dir;
    const std::vector<std::wstring> paths = {
        dir.write("a/station.dat", kStation),
        dir.write("notes.txt", kStation),
        test::W((dir.path() / "missing" / "vector.dat").string()),
        dir.write("b/station.dat", ":::\nheader\na*b*c*P2*1*x*2*y*3\na*b*c\na*b*c*P3*1*x*2*y*3\n"),
        dir.write("c/vector.dat", ""),
        dir.write("d/vector.dat", ":::\n"),
        dir.write("e/vector.dat", kVector),
    };
    test::ImportRun run;
    run.options.offerTarget2 = GetParam();
    auto target = test::importWith("pinnacle", paths, run);

    const Trace height = GetParam() ? Trace{"Height=150.2"} : Trace{};
    const Trace height3 = GetParam() ? Trace{"Height=3"} : Trace{};
    Trace expected = {"File(station.dat)", "Point(P1)", "Latitude=0.9", "Longitude=0.6"};
    expected.insert(expected.end(), height.begin(), height.end());
    expected.insert(expected.end(), {"Line(3)", "Progress(100)", kWrongName, "File(vector.dat)",
                                     "Error(Ошибка при открытии файла)", "File(station.dat)", "Point(P2)",
                                     "Latitude=1", "Longitude=2"});
    expected.insert(expected.end(), height3.begin(), height3.end());
    expected.insert(expected.end(), {"Line(3)", "Error(Неизвестный формат файла)", "File(vector.dat)",
                                     "Error(Неизвестный формат файла)", "File(vector.dat)", "Progress(100)",
                                     "Line(-1)", "Error(Неизвестный формат файла)", "File(vector.dat)",
                                     "VectorOrigin(B1)", "VectorTarget(R1)", "DeltaX=1.5", "DeltaY=-2.25",
                                     "DeltaZ=0.75", "Line(2)", "SigmaX=0.02", "SigmaY=0.03", "SigmaZ=0.04",
                                     "RMS=0.0538516", "Factor=1", "Line(3)", "Progress(100)"});
    EXPECT_EQ(trace(target), expected);
}

// A synonym block belongs to its own file.
TEST_P(PinnacleImport, SynonymsStayWithTheirFile)
{
    auto r = importFiles({{"a/station.dat", "List of Synonyms for Long Names\nP1 Long One\nEnd of List\n:::\nh\n"
                                            "a*b*c*P1*1*x*2*y*3\n"},
                          {"b/station.dat", kStation}},
                         GetParam());
    ASSERT_EQ(r.target.files().size(), 2u);
    EXPECT_EQ(r.target.files()[0].points.at(0).name, L"Long One");
    EXPECT_EQ(r.target.files()[1].points.at(0).name, L"P1");
}

// Names in a single-byte Cyrillic file come through the configured charset.
TEST_P(PinnacleImport, ConfiguredCharsetDecodesNames)
{
    // "Пункт" and "Опорный пункт" in Windows-1251.
    const std::string punkt = "\xCF\xF3\xED\xEA\xF2";
    const std::string longName = "\xCE\xEF\xEE\xF0\xED\xFB\xE9 \xEF\xF3\xED\xEA\xF2";
    auto r = importFiles({{"station.dat", "List of Synonyms for Long Names\nP1 " + longName + "\nEnd of List\n:::\nh\n"
                                          "a*b*c*P1*1*x*2*y*3\na*b*c*" + punkt + "*1*x*2*y*3\n"}},
                         GetParam(), L"CP1251");
    ASSERT_EQ(r.target.files().size(), 1u);
    const auto& points = r.target.files()[0].points;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].name, L"Опорный пункт");
    EXPECT_EQ(points[1].name, L"Пункт");
}

INSTANTIATE_TEST_SUITE_P(Heights, PinnacleImport, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithTarget2" : "WithoutTarget2"; });

} // namespace
