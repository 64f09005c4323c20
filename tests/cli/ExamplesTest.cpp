// The tool on the bundled examples of each format, with automatic routing:
// every output format carries what the plug-in delivers.
#include "Text.h"
#include "TestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char* const kFormats[] = {"spectrum", "tgotbc", "lgo", "pinnacle", "topcon"};

std::vector<std::string> examplesOf(const std::string& format)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(test::sourcePath("examples/" + format), ec), end; !ec && it != end; ++it)
        if (it->is_regular_file() && it->path().extension() != ".md")
            files.push_back(it->path().string());
    std::sort(files.begin(), files.end());
    return files;
}

struct Reference {
    std::string pluginName;
    host::ImportedFile data;
    std::size_t events = 0;
};

// What the plug-in itself delivers for the file, through the reference host
// offering the covariance interface as the tool does.
Reference referenceImport(const std::string& format, const std::string& path)
{
    test::ImportRun run;
    run.options.offerCovariance = true;
    const auto target = test::importWith(format, {test::W(path)}, run);
    Reference ref;
    ref.pluginName = test::U(host::LoadedPlugin::load(test::pluginPath(format)).descriptor().name);
    for (const auto& file : target.files()) {
        ref.data.points.insert(ref.data.points.end(), file.points.begin(), file.points.end());
        ref.data.vectors.insert(ref.data.vectors.end(), file.vectors.begin(), file.vectors.end());
    }
    ref.events = target.events().size();
    return ref;
}

double deg(const std::optional<double>& radians) { return cli::degrees(radians.value()); }

std::vector<std::string> csvRecords(const std::string& text)
{
    std::vector<std::string> records;
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        records.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return records;
}

class Examples : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        files = examplesOf(GetParam());
        if (files.empty())
            GTEST_SKIP() << "no examples in examples/" << GetParam();
        for (const auto& f : files) {
            refs.push_back(referenceImport(GetParam(), f));
            ASSERT_GT(refs.back().data.points.size() + refs.back().data.vectors.size(), 0u) << f;
        }
    }

    test::ToolRun tool(std::vector<std::string> args)
    {
        args.insert(args.end(), files.begin(), files.end());
        test::ToolRun run = test::runTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run;
    }

    std::vector<std::string> files;
    std::vector<Reference> refs;
};

TEST_P(Examples, JsonCarriesEveryPointAndVector)
{
    const json doc = json::parse(tool({"-f", "json"}).out);
    ASSERT_EQ(doc["files"].size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const json& file = doc["files"][i];
        const auto& ref = refs[i].data;
        SCOPED_TRACE(files[i]);
        EXPECT_EQ(file["path"], files[i]);
        EXPECT_EQ(file["plugin"], refs[i].pluginName);
        EXPECT_EQ(file["messages"].size(), 0u);
        ASSERT_EQ(file["points"].size(), ref.points.size());
        for (std::size_t k = 0; k < ref.points.size(); ++k) {
            const json& p = file["points"][k];
            EXPECT_EQ(p["name"], test::U(ref.points[k].name));
            EXPECT_EQ(p["latitude"].get<double>(), deg(ref.points[k].latitude));
            EXPECT_EQ(p["longitude"].get<double>(), deg(ref.points[k].longitude));
            if (ref.points[k].ellipsoidalHeight) {
                EXPECT_EQ(p["ellipsoidalHeight"].get<double>(), *ref.points[k].ellipsoidalHeight);
            }
        }
        ASSERT_EQ(file["vectors"].size(), ref.vectors.size());
        const char* keys[] = {"dx", "dy", "dz", "sigmaX", "sigmaY", "sigmaZ", "rms", "factor"};
        for (std::size_t k = 0; k < ref.vectors.size(); ++k) {
            const json& v = file["vectors"][k];
            EXPECT_EQ(v["from"], test::U(ref.vectors[k].origin));
            EXPECT_EQ(v["to"], test::U(ref.vectors[k].target));
            for (int n = 0; n < 8; ++n)
                EXPECT_EQ(v[keys[n]].get<double>(), ref.vectors[k].values[n].value()) << keys[n];
            const auto& covariance = ref.vectors[k].covariance;
            EXPECT_EQ(v["covariance"], covariance ? json(*covariance) : json(nullptr));
        }
    }
    EXPECT_EQ(doc["summary"]["errors"], 0);
}

TEST_P(Examples, GeoJsonPlacesPointsWhereTheInputSays)
{
    const json doc = json::parse(tool({"-f", "geojson"}).out);
    EXPECT_EQ(doc["type"], "FeatureCollection");
    const json& features = doc["features"];
    std::size_t k = 0;
    for (const auto& ref : refs) {
        ASSERT_LE(k + ref.data.points.size() + ref.data.vectors.size(), features.size());
        for (const auto& p : ref.data.points) {
            const json& f = features[k++];
            ASSERT_EQ(f["geometry"]["type"], "Point");
            const json& c = f["geometry"]["coordinates"];
            EXPECT_EQ(c[0].get<double>(), deg(p.longitude));
            EXPECT_EQ(c[1].get<double>(), deg(p.latitude));
            EXPECT_EQ(f["properties"]["name"], test::U(p.name));
        }
        for (const auto& v : ref.data.vectors) {
            const json& f = features[k++];
            EXPECT_EQ(f["properties"]["from"], test::U(v.origin));
            EXPECT_EQ(f["properties"]["dx"].get<double>(), v.dx().value());
        }
    }
    EXPECT_EQ(k, features.size());
    // Vector lines start and end at the first points of the same names.
    for (const json& f : features) {
        if (f["geometry"].is_null() || f["properties"]["kind"] != "vector")
            continue;
        for (const auto& end : {std::make_pair("from", 0), std::make_pair("to", 1)}) {
            if (f["properties"][std::string(end.first) + "Computed"])
                continue;
            for (const json& other : features)
                if (other["properties"]["kind"] == "point" && other["properties"]["name"] == f["properties"][end.first]) {
                    EXPECT_EQ(f["geometry"]["coordinates"][end.second][0], other["geometry"]["coordinates"][0]);
                    EXPECT_EQ(f["geometry"]["coordinates"][end.second][1], other["geometry"]["coordinates"][1]);
                    break;
                }
        }
    }
}

TEST_P(Examples, CsvHasOneRowPerPointAndVector)
{
    test::TempDir dir;
    const std::string base = (dir.path() / "out").string();
    tool({"-f", "csv", "-o", base});
    const auto points = csvRecords(test::readBytes(base + "-points.csv"));
    const auto vectors = csvRecords(test::readBytes(base + "-vectors.csv"));
    std::size_t expectedPoints = 1, expectedVectors = 1;
    for (const auto& ref : refs) {
        expectedPoints += ref.data.points.size();
        expectedVectors += ref.data.vectors.size();
    }
    EXPECT_EQ(points.size(), expectedPoints);
    EXPECT_EQ(vectors.size(), expectedVectors);
    EXPECT_EQ(points[0], "file,plugin,name,latitude,longitude,ellipsoidal_height,elevation,line");
}

TEST_P(Examples, TextNamesThePluginAndEveryPoint)
{
    const std::string out = tool({}).out;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_NE(out.find(files[i] + ": " + refs[i].pluginName + ", " + std::to_string(refs[i].data.points.size())
                           + " point"),
                  std::string::npos)
            << out;
        for (const auto& p : refs[i].data.points)
            EXPECT_NE(out.find(test::U(p.name)), std::string::npos);
    }
}

TEST_P(Examples, EventsAreTheWholeStream)
{
    std::istringstream out(tool({"-f", "events"}).out);
    std::size_t lines = 0, headers = 0;
    for (std::string line; std::getline(out, line);)
        (line.rfind("# ", 0) == 0 ? headers : lines)++;
    std::size_t expected = 0;
    for (const auto& ref : refs)
        expected += ref.events;
    EXPECT_EQ(headers, files.size());
    EXPECT_EQ(lines, expected);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, Examples, ::testing::ValuesIn(kFormats));

TEST(ExamplesTogether, SameBytesUnderACommaDecimalLocale)
{
    const char* comma = test::commaDecimalLocale();
    if (!comma)
        GTEST_SKIP() << "no comma-decimal locale installed";
    std::vector<std::string> all;
    for (const char* format : kFormats)
        for (const auto& f : examplesOf(format))
            all.push_back(f);
    if (all.empty())
        GTEST_SKIP() << "no examples";
    for (const char* format : {"text", "json", "geojson", "events"}) {
        std::vector<std::string> args = {"-f", format, "--check"};
        args.insert(args.end(), all.begin(), all.end());
        test::ToolEnv commaEnv;
        commaEnv.locale = comma;
        const auto plain = test::runTool(args);
        const auto localised = test::runTool(args, commaEnv);
        EXPECT_EQ(plain.status, 0) << plain.err;
        EXPECT_EQ(localised.out, plain.out) << format;
    }
}

} // namespace
