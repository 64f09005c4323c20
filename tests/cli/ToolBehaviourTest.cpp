// The tool on small exports with known content: routing, values in every
// output, messages and exit statuses, settings, charsets and locale.
#include "Fixtures.h"
#include "Geodesy.h"
#include "TestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

using nlohmann::json;

namespace {

class Tool : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) { return test::U(dir.write(name, bytes)); }
    std::string path(const std::string& name) const { return (dir.path() / name).string(); }

    test::TempDir dir;
};

TEST_F(Tool, RoutesEachKindOfTxtToItsPlugin)
{
    const auto run = test::runTool({"-f", "json", write("report.txt", fixture::spectrumReport()),
                                    write("table.txt", fixture::lgoPoints()), write("topcon.txt", fixture::topconReport()),
                                    write("export.asc", fixture::tgoExport()), write("station.dat", fixture::pinnacleStation())});
    ASSERT_EQ(run.status, 0) << run.err;
    const json doc = json::parse(run.out);
    const char* expected[] = {"Spectrum Survey", "LGO", "Topcon", "TGO/TBC", "Pinnacle"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(doc["files"][i]["plugin"], expected[i]);
        EXPECT_FALSE(doc["files"][i]["points"].empty()) << expected[i];
    }
    EXPECT_EQ(doc["files"][0]["vectors"][0]["from"], "SB1");
    EXPECT_EQ(doc["files"][0]["vectors"][0]["to"], "SB2");
    EXPECT_EQ(doc["files"][0]["points"][1]["name"], "SB2");
    EXPECT_NEAR(doc["files"][0]["points"][1]["ellipsoidalHeight"].get<double>(), 96.772, 0.01);
}

TEST_F(Tool, JsonHoldsTheValuesOfTheFile)
{
    const auto run = test::runTool({"-f", "json", write("k.txt", fixture::topconReport())});
    ASSERT_EQ(run.status, 0) << run.err;
    const json file = json::parse(run.out)["files"][0];
    const json& k1 = file["points"][0];
    EXPECT_EQ(k1["name"], "K1");
    EXPECT_NEAR(k1["latitude"].get<double>(), fixture::dms(55, 45, 12.3456), 1e-12);
    EXPECT_NEAR(k1["longitude"].get<double>(), fixture::dms(37, 36, 56.789), 1e-12);
    EXPECT_EQ(k1["ellipsoidalHeight"], 150.5);
    EXPECT_TRUE(k1["elevation"].is_null());
    EXPECT_EQ(k1["line"], 2);
    const json& v = file["vectors"][0];
    EXPECT_EQ(v["dx"], -1779.1178);
    EXPECT_EQ(v["sigmaZ"], 0.0033);
    EXPECT_EQ(v["rms"], std::sqrt(0.0023 * 0.0023 + 0.0017 * 0.0017 + 0.0033 * 0.0033));
    EXPECT_EQ(v["factor"], 1.0);
    EXPECT_EQ(v["length"], std::sqrt(1779.1178 * 1779.1178 + 258.5627 * 258.5627 + 847.4782 * 847.4782));
    EXPECT_EQ(v["line"], 4);
}

TEST_F(Tool, GeoJsonPlacesARoverThatIsNoPointFromItsBase)
{
    const auto run = test::runTool({"-f", "geojson", write("k.txt", fixture::topconReport())});
    ASSERT_EQ(run.status, 0) << run.err;
    const json features = json::parse(run.out)["features"];
    ASSERT_EQ(features.size(), 4u);
    const json k1 = features[0]["geometry"]["coordinates"];
    EXPECT_NEAR(k1[0].get<double>(), fixture::dms(37, 36, 56.789), 1e-12);
    EXPECT_NEAR(k1[1].get<double>(), fixture::dms(55, 45, 12.3456), 1e-12);
    EXPECT_EQ(k1[2], 150.5);

    const json toK3 = features[3];
    EXPECT_EQ(toK3["geometry"]["type"], "LineString");
    EXPECT_EQ(toK3["properties"]["toComputed"], true);
    EXPECT_EQ(toK3["geometry"]["coordinates"][0], k1);
    const cli::Geocentric base = cli::toGeocentric({k1[1].get<double>(), k1[0].get<double>(), 150.5});
    const cli::Geodetic k3 = cli::toGeodetic({base.x + 100, base.y + 200, base.z + 300});
    const json end = toK3["geometry"]["coordinates"][1];
    EXPECT_NEAR(end[0].get<double>(), k3.longitude, 1e-12);
    EXPECT_NEAR(end[1].get<double>(), k3.latitude, 1e-12);
    EXPECT_NEAR(end[2].get<double>(), *k3.height, 1e-6);
}

TEST_F(Tool, CsvQuotesNamesWithCommasAndQuotes)
{
    const std::string base = path("out");
    const auto run = test::runTool({"-f", "csv", "-o", base + ".csv",
                                    write("points.txt", fixture::lgoPoints("Point Id", "Mark, \"A\""))});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string points = test::readBytes(base + "-points.csv");
    EXPECT_NE(points.find(",LGO,\"Mark, \"\"A\"\"\",55.7534293"), std::string::npos) << points;
    EXPECT_EQ(test::readBytes(base + "-vectors.csv"),
              "file,plugin,from,to,dx,dy,dz,sigma_x,sigma_y,sigma_z,rms,factor,length,line,"
              "cov_xx,cov_xy,cov_xz,cov_yy,cov_yz,cov_zz\r\n");
}

TEST_F(Tool, EventsShowTheRawStream)
{
    const auto run = test::runTool({"-f", "events", "-p", "topcon", write("k.txt", fixture::topconReport())});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* line : {"SetText(Point,\"K1\")\n", "SetEllipsoidalHeight(150.5)\n", "SetValue(DeltaX,-1779.1178)\n",
                             "SetProgress(100)\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

TEST_F(Tool, ExitStatusTellsHowTheRunWent)
{
    const std::string good = write("good.txt", fixture::topconReport());
    const std::string empty = write("empty.tvf", "no records here\n");
    write("plugins/gnssimport-broken.so", "not a library");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string stderrHas;
    };
    const Case cases[] = {
        {{good}, 0, "1 file, 2 points, 2 vectors; 0 errors"},
        {{"--help"}, 0, ""},
        {{good, empty}, 1, "empty.tvf: error: Unknown file format (Неизвестный формат файла)"},
        {{path("missing.txt")}, 1, "missing.txt: error: cannot open file"},
        {{"-p", "topcon", path("missing.txt")}, 1, "missing.txt: error: Error opening the file (Ошибка при открытии файла)"},
        {{write("notes.xyz", "hello\n")}, 1, "notes.xyz: error: no plug-in recognises this file"},
        {{}, 2, "no files"},
        {{"--bogus", good}, 2, "bogus"},
        {{"-f", "xml", good}, 2, "xml"},
        {{"-f", "csv", good}, 2, "-o BASE"},
        {{"--set", "novalue", good}, 2, "KEY=VALUE"},
        {{"--charset", "NO-SUCH-CHARSET", good}, 2, "unknown charset"},
        {{"-p", "nosuch", good}, 2, "no plug-in named nosuch"},
        {{"--plugin-dir", path("plugins"), "-p", "broken", good}, 2, "broken"},
        {{"--plugin-dir", path("plugins"), good}, 0, "warning: skipped cannot load plug-in " + path("plugins/gnssimport-broken.so")},
        {{"-o", path("no/such/dir/out.txt"), good}, 2, "cannot create"},
    };
    for (const auto& c : cases) {
        const auto run = test::runTool(c.args);
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        EXPECT_EQ(run.status, c.status) << joined << "\n" << run.err;
        EXPECT_NE(run.err.find(c.stderrHas), std::string::npos) << joined << "\n" << run.err;
        EXPECT_EQ(run.err.find('\r'), std::string::npos) << "progress bar on a pipe";
    }
}

TEST_F(Tool, AFailedOutputIsExitTwoAndLeavesTheEarlierFileAlone)
{
    const std::string good = write("good.txt", fixture::topconReport());
    const std::string earlier = write("earlier.json", "earlier\n");
    struct Case {
        std::vector<std::string> args;
        std::string stdoutFile, stderrHas;
    };
    const Case cases[] = {
        {{"-f", "json", good}, "/dev/full", "cannot write stdout"},
        {{good}, "/dev/full", "cannot write stdout"},
        {{"-o", "/dev/full", good}, "", "cannot write /dev/full"},
        // the file is complete, the check report on stdout is not
        {{"--check", "-o", earlier, good}, "/dev/full", "cannot write stdout"},
        {{"-p", "nosuch", "-f", "json", "-o", earlier, good}, "", "no plug-in named"},
        // the output is created before the imports: no file is read
        {{"-o", path("no/such/dir/out.txt"), path("missing.txt")}, "", "cannot create " + path("no/such/dir/out.txt")},
    };
    for (const auto& c : cases) {
        test::ToolEnv env;
        env.stdoutFile = c.stdoutFile;
        const auto run = test::runTool(c.args, env);
        EXPECT_EQ(run.status, 2) << c.stderrHas << "\n" << run.err;
        EXPECT_NE(run.err.find(c.stderrHas), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("missing.txt"), std::string::npos) << run.err;
        EXPECT_EQ(test::readBytes(earlier), "earlier\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "a temporary file was left";
    const auto run = test::runTool({"-f", "json", "-o", earlier, good});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(json::accept(test::readBytes(earlier)));
}

TEST_F(Tool, PluginsListsEveryDescriptor)
{
    write("extra/gnssimport-broken.so", "not a library");
    auto run = test::runTool({"plugins"});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* text : {"Spectrum Survey", "TGO/TBC", "*.txt;*.tvf", "gnssimport-pinnacle.so", "sat_plugin.LGO"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    run = test::runTool({"plugins", "--plugin-dir", path("extra")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("Topcon"), std::string::npos) << "the others are still listed";
}

TEST_F(Tool, MessagesNameTheLineOneBased)
{
    const auto run = test::runTool({write("bad.txt", "P,K1,55 45 12.3456,37 36 56.789,150.5\nVPP,K1\n")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("bad.txt:2: error: Vector end point not given (Не задан конец вектора)\n"), std::string::npos) << run.err;
}

TEST_F(Tool, SetAppliesToOneRunAndConfigureSavesTheSettings)
{
    const std::string table = write("named.txt", fixture::lgoPoints("Name"));
    const std::string settings = path("gnssimport.conf");
    EXPECT_EQ(test::runTool({"-p", "lgo", table}).status, 1);
    auto run = test::runTool({"-p", "lgo", "--settings", settings, "--set", "point_id=Name", table});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::readBytes(settings).find("point_id=Name"), std::string::npos);

    test::ToolEnv typed;
    typed.input = "1\nName\n12\nX\ncancel\n";
    run = test::runTool({"configure", "lgo", "--settings", settings}, typed);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Имя точки (по умолч. 'Point Id')"), std::string::npos) << run.out;
    EXPECT_EQ(test::readBytes(settings).find("point_id=Name"), std::string::npos) << "cancel saved";

    typed.input = "1\nName\nok\n";
    run = test::runTool({"configure", "lgo", "--settings", settings}, typed);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(test::readBytes(settings).find("point_id=Name\n"), std::string::npos);
    run = test::runTool({"--settings", settings, table});
    EXPECT_EQ(run.status, 0) << run.err;

    EXPECT_EQ(test::runTool({"configure", "topcon", "--settings", settings}).status, 2);
    EXPECT_EQ(test::runTool({"configure", "lgo"}).status, 2);
}

TEST_F(Tool, DefaultCharsetDecodesFilesWithNoCharsetSet)
{
    // "Пункт" in KOI8-R: not UTF-8, so the host falls back to its default.
    const std::string table = write("koi8.txt", fixture::lgoPoints("Point Id", "\xF0\xD5\xCE\xCB\xD4"));
    auto run = test::runTool({"-f", "json", table});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(json::parse(run.out)["files"][0]["points"][0]["name"], "Пункт");
    run = test::runTool({"-f", "json", "--default-charset", "KOI8-R", table});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["files"][0]["points"][0]["name"], "Пункт");
    run = test::runTool({"-f", "json", "--charset", "KOI8-R", table});
    EXPECT_EQ(json::parse(run.out)["files"][0]["points"][0]["name"], "Пункт");
}

std::size_t occurrences(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++n;
    return n;
}

TEST_F(Tool, WarnsOncePerFileWhenTheCharsetMisreadsIt)
{
    const std::string utf8 = write("utf8.txt", fixture::lgoPoints("Point Id", "Пункт") +
                                                   "Сосновка\t55 45 12 N\t37 36 56 E\t150.5\r\n");
    auto run = test::runTool({"--charset", "CP1251", utf8});
    EXPECT_EQ(occurrences(run.err, "utf8.txt: warning: the file is UTF-8 but was read as CP1251"), 1u) << run.err;
    // No warning when the host picks UTF-8 itself.
    EXPECT_EQ(test::runTool({utf8}).err.find(": warning:"), std::string::npos);

    const std::string koi8 = write("koi8.txt", fixture::lgoPoints("Point Id", "\xF0\xD5\xCE\xCB\xD4") +
                                                   "\xF0\xD5\xCE\t55 45 12 N\t37 36 56 E\t150.5\r\n");
    run = test::runTool({"--charset", "UTF-8", koi8});
    EXPECT_EQ(occurrences(run.err, "koi8.txt: warning: 2 lines could not be decoded as UTF-8"), 1u) << run.err;
}

// A name in CP1251 ("Пункт.txt") is imported through a temporary link and
// shown with its bytes escaped; the link is gone afterwards.
TEST_F(Tool, ImportsFilesWhoseNamesAreNotUtf8)
{
    const std::string name = path("\xCF\xF3\xED\xEA\xF2.txt"), empty = path("\xCF\xF3\xF1\xF2\xEE.txt");
    std::ofstream(name, std::ios::binary) << fixture::topconReport();
    std::ofstream(empty, std::ios::binary) << "nothing\n";
    test::TempDir tmp;
    test::ToolEnv env;
    env.env["TMPDIR"] = tmp.path().string();
    const auto run = test::runTool({"-f", "json", "-p", "topcon", name, empty}, env);
    EXPECT_EQ(run.status, 1) << run.err; // the second file holds no records
    const json files = json::parse(run.out)["files"];
    EXPECT_EQ(files[0]["path"], path("\\xCF\\xF3\\xED\\xEA\\xF2.txt"));
    EXPECT_EQ(files[0]["points"].size(), 2u);
    EXPECT_NE(run.err.find(path("\\xCF\\xF3\\xF1\\xF2\\xEE.txt") + ": error:"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));
}

TEST_F(Tool, CheckReportsMisclosuresBesideMachineOutput)
{
    const std::string file = write("k.txt", fixture::topconReport());
    auto run = test::runTool({"--check", file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("1 vectors against point coordinates"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 without both end points"), std::string::npos) << run.out;
    run = test::runTool({"--check", "-f", "json", file});
    EXPECT_TRUE(json::accept(run.out));
    EXPECT_NE(run.err.find("Network check"), std::string::npos);
}

TEST_F(Tool, OutputFilesAndLocaleLeaveTheBytesAlone)
{
    const char* comma = test::commaDecimalLocale();
    if (!comma)
        GTEST_SKIP() << "no comma-decimal locale installed";
    const std::vector<std::string> inputs = {write("k.txt", fixture::topconReport()), write("t.asc", fixture::tgoExport()),
                                             write("p.txt", fixture::lgoPoints())};
    for (const char* format : {"text", "json", "geojson", "events", "csv"}) {
        std::string outputs[2];
        for (int i = 0; i < 2; ++i) {
            const std::string base = path(std::string(format) + std::to_string(i));
            std::vector<std::string> args = {"-f", format, "-o", base};
            args.insert(args.end(), inputs.begin(), inputs.end());
            test::ToolEnv env;
            env.locale = i == 0 ? "C" : comma;
            const auto run = test::runTool(args, env);
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(run.out.empty());
            outputs[i] = std::string(format) == "csv"
                             ? test::readBytes(base + "-points.csv") + test::readBytes(base + "-vectors.csv")
                             : test::readBytes(base);
        }
        EXPECT_FALSE(outputs[0].empty()) << format;
        EXPECT_EQ(outputs[1], outputs[0]) << format;
    }
}

} // namespace

namespace {

// A real TBC export kept beside the checkout (skipped when absent): every
// vector carries the six numbers of its line, and the check tests each
// misclosure with its chi-squared value.
TEST(RealExport, MyrtlefordCovariancesReachJsonAndCheck)
{
    const auto path = test::sourcePath("../shared/real-samples/tgotbc/myrtleford.asc");
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not there";
    const auto run = test::runTool({"-f", "json", "--check", path.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const json vectors = json::parse(run.out)["files"][0]["vectors"];
    ASSERT_EQ(vectors.size(), 31u);
    for (const auto& v : vectors)
        ASSERT_EQ(v["covariance"].size(), 6u) << v.dump();
    EXPECT_EQ(vectors[0]["covariance"], json({2.8657057555e-004, -1.6807920474e-004, 2.4558452424e-004,
                                              1.7563594156e-004, -1.8154094869e-004, 2.5905718212e-004}));
    EXPECT_NE(run.err.find("Chi2"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("31 vectors against point coordinates"), std::string::npos) << run.err;
}

} // namespace
