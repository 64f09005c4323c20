// DynaML and gama-local files written by the tool: valid against the
// engines' schemas, carrying exactly the numbers the import produced, and
// myrtleford.asc agreeing with DynAdjust's own sample of that campaign.
#include "Covariance.h"
#include "Geodesy.h"
#include "Text.h"
#include "TestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Third-party schemas and samples lie in shared/ beside the checkout.
fs::path shared(const std::string& relative)
{
    for (fs::path dir = fs::path(GNSSIMPORT_SOURCE_DIR).parent_path(); !dir.empty() && dir != dir.root_path();
         dir = dir.parent_path())
        if (fs::exists(dir / "shared" / relative))
            return dir / "shared" / relative;
    return {};
}

bool haveXmllint() { return std::system("xmllint --version >/dev/null 2>&1") == 0; }

std::string validate(const fs::path& file, const fs::path& schema)
{
    const fs::path log = file.string() + ".log";
    const std::string command = "xmllint --noout --schema '" + schema.string() + "' '" + file.string() + "' 2>'"
                                + log.string() + "'";
    const int status = std::system(command.c_str());
    return status == 0 ? std::string() : test::readBytes(log);
}

// Texts of <tag>…</tag> (or of attribute tag="…"), in document order.
std::vector<std::string> texts(const std::string& xml, const std::string& tag, bool attribute = false)
{
    const std::string open = attribute ? " " + tag + "=\"" : "<" + tag + ">";
    const std::string close = attribute ? "\"" : "</" + tag + ">";
    std::vector<std::string> out;
    for (auto at = xml.find(open); at != std::string::npos; at = xml.find(open, at)) {
        at += open.size();
        const auto end = xml.find(close, at);
        out.push_back(xml.substr(at, end - at));
    }
    return out;
}

double number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

struct Case {
    std::string name;
    std::vector<fs::path> files;
};

std::vector<Case> cases()
{
    std::vector<Case> out;
    for (const char* format : {"spectrum", "tgotbc", "lgo", "pinnacle", "topcon"}) {
        Case c{format, {}};
        for (const auto& entry : fs::directory_iterator(test::sourcePath("examples/" + std::string(format))))
            if (entry.path().extension() != ".md")
                c.files.push_back(entry.path());
        std::sort(c.files.begin(), c.files.end());
        out.push_back(c);
    }
    for (const char* real : {"myrtleford", "geelong-small"})
        out.push_back({real, {shared("real-samples/tgotbc/" + std::string(real) + ".asc")}});
    return out;
}

class Exports : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        for (const auto& f : GetParam().files)
            if (f.empty())
                GTEST_SKIP() << "real samples absent";
        const auto run = tool({"-f", "json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const json doc = json::parse(run.out);
        for (const auto& file : doc["files"]) {
            for (const auto& p : file["points"])
                if (p["ellipsoidalHeight"].is_number())
                    points.emplace(p["name"].get<std::string>(), p);
            for (const auto& v : file["vectors"])
                vectors.emplace(std::make_pair(v["from"].get<std::string>(), v["to"].get<std::string>()), v);
        }
    }

    test::ToolRun tool(std::vector<std::string> args) const
    {
        for (const auto& f : GetParam().files)
            args.push_back(f.string());
        return test::runTool(args);
    }

    // The imported vector from → to whose deltas are those given.
    const json* imported(const std::string& from, const std::string& to, const double d[3]) const
    {
        const auto range = vectors.equal_range({from, to});
        for (auto it = range.first; it != range.second; ++it)
            if (it->second["dx"] == d[0] && it->second["dy"] == d[1] && it->second["dz"] == d[2])
                return &it->second;
        return nullptr;
    }

    // The covariance the import produced, in m².
    static cli::Covariance covariance(const json& v)
    {
        if (v.contains("covariance") && v["covariance"].is_array())
            return v["covariance"].get<cli::Covariance>();
        const double sx = v["sigmaX"], sy = v["sigmaY"], sz = v["sigmaZ"];
        return {sx * sx, 0, 0, sy * sy, 0, sz * sz};
    }

    std::map<std::string, json> points;
    std::multimap<std::pair<std::string, std::string>, json> vectors;
    test::TempDir dir;
};

TEST_P(Exports, DynaMlIsValidAndCarriesTheImportedNumbers)
{
    const fs::path schema = shared("schemas/DynaML.xsd");
    if (schema.empty() || !haveXmllint())
        GTEST_SKIP() << "DynaML.xsd or xmllint absent";
    const auto run = tool({"-f", "dynaml", "-o", (dir.path() / "net").string(), "--epoch", "18.02.2015"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* file : {"net.stn.xml", "net.msr.xml"})
        EXPECT_EQ(validate(dir.path() / file, schema), "") << file;

    const std::string stn = test::readBytes(dir.path() / "net.stn.xml");
    const auto names = texts(stn, "Name"), xs = texts(stn, "XAxis"), ys = texts(stn, "YAxis"), zs = texts(stn, "Height");
    ASSERT_EQ(names.size(), 2 * xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const auto it = points.find(names[2 * i]);
        if (it == points.end())
            continue; // placed through vectors
        const auto c = cli::toGeocentric({it->second["latitude"], it->second["longitude"], it->second["ellipsoidalHeight"]});
        EXPECT_EQ(number(xs[i]), c.x) << names[2 * i];
        EXPECT_EQ(number(ys[i]), c.y);
        EXPECT_EQ(number(zs[i]), c.z);
    }

    const std::string msr = test::readBytes(dir.path() / "net.msr.xml");
    const auto first = texts(msr, "First"), second = texts(msr, "Second");
    const auto x = texts(msr, "X"), y = texts(msr, "Y"), z = texts(msr, "Z");
    ASSERT_FALSE(first.empty());
    std::vector<std::vector<std::string>> sigma;
    for (const char* tag : {"SigmaXX", "SigmaXY", "SigmaXZ", "SigmaYY", "SigmaYZ", "SigmaZZ"})
        sigma.push_back(texts(msr, tag));
    for (std::size_t i = 0; i < first.size(); ++i) {
        const double d[3] = {number(x[i]), number(y[i]), number(z[i])};
        const json* v = imported(first[i], second[i], d);
        ASSERT_TRUE(v) << first[i] << " - " << second[i] << " " << x[i];
        const auto c = covariance(*v);
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(number(sigma[k][i]), c[k]) << first[i] << " - " << second[i] << " element " << k;
    }
}

TEST_P(Exports, GamaLocalIsValidAndCarriesTheRotatedNumbers)
{
    const fs::path schema = shared("schemas/gama-local.xsd");
    if (schema.empty() || !haveXmllint())
        GTEST_SKIP() << "gama-local.xsd or xmllint absent";
    const fs::path out = dir.path() / "net.xml";
    const auto run = tool({"-f", "gama", "-o", out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(validate(out, schema), "");

    const std::string xml = test::readBytes(out);
    const auto fixedAt = xml.find("fix=\"xyz\"");
    ASSERT_NE(fixedAt, std::string::npos);
    const json& origin = points.at(texts(xml.substr(xml.rfind("<point", fixedAt)), "id", true).at(0));
    const cli::Rotation r = cli::enuRotation(origin["latitude"], origin["longitude"]);
    const auto from = texts(xml, "from", true), to = texts(xml, "to", true);
    const auto dx = texts(xml, "dx", true), dy = texts(xml, "dy", true), dz = texts(xml, "dz", true);
    const std::string band = xml.substr(xml.find("band=\"2\">") + 9);
    std::istringstream rows(band.substr(0, band.find('<')));
    for (std::size_t i = 0; i < from.size(); ++i) {
        // No vector name is renamed here, so ids are the imported names.
        const json* v = nullptr;
        for (auto it = vectors.lower_bound({from[i], to[i]}); !v && it != vectors.upper_bound({from[i], to[i]}); ++it) {
            const auto enu = cli::rotate(r, std::array<double, 3>{it->second["dx"], it->second["dy"], it->second["dz"]});
            if (enu[0] == number(dx[i]) && enu[1] == number(dy[i]) && enu[2] == number(dz[i]))
                v = &it->second;
        }
        ASSERT_TRUE(v) << from[i] << " - " << to[i];
        const auto c = cli::rotate(r, covariance(*v));
        const bool last = i + 1 == from.size();
        const double expected[] = {c[0], c[1], c[2], c[3], c[4], 0, c[5], 0, 0};
        for (int k = 0; k < 9; ++k) {
            if (last && (k == 5 || k > 6))
                continue;
            double written = 0;
            ASSERT_TRUE(rows >> written) << "row of vector " << i;
            EXPECT_EQ(written, expected[k] * 1e6) << from[i] << " - " << to[i] << " element " << k;
        }
    }
    double extra;
    EXPECT_FALSE(rows >> extra);
}

INSTANTIATE_TEST_SUITE_P(Cli, Exports, ::testing::ValuesIn(cases()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(ExportFiles, MyrtlefordAgreesWithDynAdjustsSampleNetwork)
{
    const fs::path asc = shared("real-samples/tgotbc/myrtleford.asc"), sample = shared("schemas/gnss-networkmsr.xml");
    if (asc.empty() || sample.empty())
        GTEST_SKIP() << "samples absent";
    test::TempDir dir;
    const auto run = test::runTool({"-f", "dynaml", "-o", (dir.path() / "m").string(), asc.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    // Type G measurements by their ends; the sample has pairs measured both ways.
    auto baselines = [](const std::string& xml) {
        std::multimap<std::pair<std::string, std::string>, std::array<double, 3>> out;
        for (const auto& m : texts(xml, "DnaMeasurement")) {
            if (texts(m, "Type").at(0) != "G")
                continue;
            const auto x = texts(m, "X"), y = texts(m, "Y"), z = texts(m, "Z");
            out.insert({{texts(m, "First").at(0), texts(m, "Second").at(0)},
                        {number(x.at(0)), number(y.at(0)), number(z.at(0))}});
        }
        return out;
    };
    const auto ours = baselines(test::readBytes(dir.path() / "m.msr.xml"));
    int common = 0;
    for (const auto& [ends, d] : baselines(test::readBytes(sample))) {
        double sign = 1;
        auto it = ours.find(ends);
        if (it == ours.end()) {
            it = ours.find({ends.second, ends.first});
            sign = -1;
        }
        if (it == ours.end())
            continue;
        ++common;
        const auto& e = it->second;
        EXPECT_LT(std::hypot(e[0] - sign * d[0], e[1] - sign * d[1], e[2] - sign * d[2]), 0.02)
            << ends.first << " - " << ends.second;
    }
    EXPECT_GE(common, 4);
}

TEST(ExportFiles, NothingToAdjustIsAnErrorAndLeavesNoFile)
{
    test::TempDir dir;
    const auto points = test::sourcePath("examples/lgo/points.txt").string();
    for (const char* format : {"dynaml", "gama"}) {
        const auto run = test::runTool({"-f", format, "-o", (dir.path() / "net").string(), points});
        EXPECT_EQ(run.status, 1) << format;
        EXPECT_NE(run.err.find("nothing to export"), std::string::npos) << run.err;
        EXPECT_TRUE(fs::is_empty(dir.path())) << format;
    }
    const auto usage = test::runTool({"-f", "dynaml", points});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("give their base name with -o BASE"), std::string::npos);
}

} // namespace
