// The tool's own pieces: numbers and angles, CSV fields, the network check
// and the progress bar.
#include "Geodesy.h"
#include "JsonStream.h"
#include "NetworkCheck.h"
#include "ProgressBar.h"
#include "Text.h"
#include "Writers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

namespace {

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees) { return degrees * kPi / 180.0; }

TEST(Text, NumbersReadBackExactlyAndRoundForPeople)
{
    EXPECT_EQ(cli::shortest(0.1), "0.1");
    EXPECT_EQ(cli::shortest(-1779.1178), "-1779.1178");
    EXPECT_EQ(std::stod(cli::shortest(1.0 / 3.0)), 1.0 / 3.0);
    EXPECT_EQ(cli::shortest(33.333332f), "33.333332");
    EXPECT_EQ(cli::fixed(2.00006, 4), "2.0001");
    EXPECT_EQ(cli::fixed(-0.00001, 4), "0.0000");
    EXPECT_EQ(cli::fixed(1e308, 4), "1e+308");
}

// Rounding through an integer must agree with exact decimal rounding, near
// halves (0.5, 2.00005, 1e-5 steps) and at every magnitude.
TEST(Text, FixedAgreesWithExactRounding)
{
    auto exact = [](double value, int decimals) {
        char buffer[400];
        std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                               decimals).ptr);
        if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
            text.erase(0, 1);
        return text;
    };
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> places(0, 9), magnitude(-6, 14);
    for (int i = 0; i < 200000; ++i) {
        const int decimals = places(random);
        double value = unit(random) * std::pow(10.0, magnitude(random));
        if (i % 4 == 0) // on or next to a half of the last place
            value = std::nextafter((std::round(value * std::pow(10.0, decimals)) + 0.5) / std::pow(10.0, decimals),
                                   i % 8 ? 0.0 : 1e300);
        ASSERT_EQ(cli::fixed(value, decimals), exact(value, decimals)) << value << " to " << decimals;
    }
    for (double value : {0.5, 1.5, 2.5, 2.00005, 0.00005, -0.00005, 1234567.89125, -0.0})
        EXPECT_EQ(cli::fixed(value, 4), exact(value, 4)) << value;
}

TEST(Text, DegreesMinutesSecondsCarryAndNameTheHemisphere)
{
    struct Case {
        double degrees;
        bool latitude;
        const char* text;
    } cases[] = {
        {55 + 45 / 60.0 + 12.3456 / 3600, true, "55°45'12.34560\"N"},
        {-(3 + 8 / 60.0 + 5.71588 / 3600), false, "3°08'05.71588\"W"},
        {10 + 59 / 60.0 + 59.999996 / 3600, true, "11°00'00.00000\"N"},
        {-0.5 / 3600, true, "0°00'00.50000\"S"},
        {0, false, "0°00'00.00000\"E"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::dms(radians(c.degrees), c.latitude), c.text) << c.degrees;
    EXPECT_EQ(cli::dms(1e300, true), cli::shortest(cli::degrees(1e300)) + "°");
    EXPECT_EQ(cli::dms(NAN, true), "nan°");
}

TEST(Text, Utf8ReplacesWhatItCannotCarry)
{
    EXPECT_EQ(cli::utf8(L"Пункт 7"), "Пункт 7");
    EXPECT_EQ(cli::fromUtf8("Пункт 7"), L"Пункт 7");
    EXPECT_EQ(cli::utf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(cli::fromUtf8("a\xFF" "b\xC0\xAF"), L"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(cli::fromUtf8("\xF0\x9F\x98\x80"), std::wstring(1, static_cast<wchar_t>(0x1F600)));
    EXPECT_EQ(cli::displayWidth("Пункт"), 5u);
}

cli::ImportResults oneFile(std::vector<host::ImportedPoint> points, std::vector<host::ImportedVector> vectors)
{
    cli::FileResult r;
    r.path = L"dir, with \"quotes\"/f.txt";
    r.pluginName = "LGO";
    r.data.points = std::move(points);
    r.data.vectors = std::move(vectors);
    return {r};
}

TEST(Csv, QuotesFieldsThatNeedItAndLeavesMissingValuesEmpty)
{
    host::ImportedPoint p;
    p.name = L"line\nbreak";
    p.latitude = radians(45);
    p.line = 2;
    host::ImportedPoint q;
    q.name = L" padded";
    std::ostringstream out;
    cli::writeCsvPoints(out, oneFile({p, q}, {}));
    EXPECT_EQ(out.str(), "file,plugin,name,latitude,longitude,ellipsoidal_height,elevation,line\r\n"
                         "\"dir, with \"\"quotes\"\"/f.txt\",LGO,\"line\nbreak\",45,,,,3\r\n"
                         "\"dir, with \"\"quotes\"\"/f.txt\",LGO,\" padded\",,,,,\r\n");
}

host::ImportedPoint point(const wchar_t* name, double lat, double lon, double h)
{
    host::ImportedPoint p;
    p.name = name;
    p.latitude = radians(lat);
    p.longitude = radians(lon);
    p.ellipsoidalHeight = h;
    return p;
}

host::ImportedVector vector(const wchar_t* from, const wchar_t* to, double dx, double dy, double dz, double sigma)
{
    host::ImportedVector v;
    v.origin = from;
    v.target = to;
    const double values[8] = {dx, dy, dz, sigma, sigma, sigma, sigma * std::sqrt(3.0), 1};
    for (int i = 0; i < 8; ++i)
        v.values[i] = values[i];
    return v;
}

TEST(JsonStream, WritesWhatADumpOfTheWholeTreeWould)
{
    using json = cli::JsonStream::json;
    const json record = {{"name", "K\"1"}, {"xs", {1.5, nullptr}}, {"empty", json::object()}};
    std::ostringstream out;
    {
        cli::OutputBuffer buffer(out);
        cli::JsonStream s(buffer);
        s.beginObject();
        s.key("files");
        s.beginArray();
        s.beginObject();
        s.key("none");
        s.beginArray();
        s.endArray();
        s.key("records");
        s.beginArray();
        s.value(record);
        s.value(record);
        s.endArray();
        s.endObject();
        s.endArray();
        s.key("summary");
        s.value(json::object());
        s.endObject();
    }
    const json tree = {{"files", {{{"none", json::array()}, {"records", {record, record}}}}},
                       {"summary", json::object()}};
    EXPECT_EQ(out.str(), tree.dump(2));
}

// Scalars are formatted by the stream itself, as the tree's dump would.
TEST(JsonStream, ScalarsAsTheTreeDumpsThem)
{
    using json = cli::JsonStream::json;
    const double numbers[] = {0.0, -0.0, 1, -2.5, 1e15, 123456789012345.0, 1e16, 1.5e300, 1e-300, 0.0001,
                              0.00012, 1e-5, 1e21, -7e-7};
    const std::string texts[] = {"plain", "K\"1\\", "tab\there\nline\r\b\f", std::string("nul\0\x1f", 5),
                                 "\xd0\x91\xd0\xb5\xd1\x80\xd1\x91\xd0\xb7\xd0\xbe\xd0\xb2\xd0\xba\xd0\xb0 \x7f"};
    json tree = json::array();
    std::ostringstream out;
    {
        cli::OutputBuffer buffer(out);
        cli::JsonStream s(buffer);
        s.beginArray();
        for (double n : numbers) {
            s.value(n);
            tree.push_back(n);
        }
        for (const auto& t : texts) {
            s.value(t);
            tree.push_back(t);
        }
        s.value(std::numeric_limits<double>::quiet_NaN());
        s.value(std::optional<double>());
        s.value(std::optional<int>(42));
        s.value(true);
        tree.insert(tree.end(), {nullptr, nullptr, 42, true});
        s.endArray();
    }
    EXPECT_EQ(out.str(), tree.dump(2));
}

TEST(TextTable, FactorIsRoundedLikeTheOtherColumns)
{
    auto v = vector(L"A", L"B", 1, 2, 3, 0.01);
    v.values[7] = 1.2345678901234567;
    std::ostringstream out;
    cli::writeText(out, oneFile({}, {v}));
    EXPECT_NE(out.str().find(" 1.2346 "), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("1.23456"), std::string::npos) << out.str();
}

TEST(NetworkCheck, MeasuresMisclosuresAndRepeatsInMetresAndSigmas)
{
    const auto a = point(L"A", 55.75, 37.6, 150), b = point(L"B", 55.76, 37.62, 140);
    const auto ga = cli::toGeocentric({55.75, 37.6, 150.0}), gb = cli::toGeocentric({55.76, 37.62, 140.0});
    const double dx = gb.x - ga.x, dy = gb.y - ga.y, dz = gb.z - ga.z;
    const auto results = oneFile({a, b}, {vector(L"A", L"B", dx + 0.1, dy, dz, 0.01),     // 0.1 m off in X
                                          vector(L"B", L"A", -dx, -dy - 0.003, -dz, 0.01), // reverse, 3 mm off
                                          vector(L"A", L"C", 1, 2, 3, 0.01)});             // C unknown
    const cli::CheckOptions options;
    const auto check = cli::checkNetwork(results, options);
    EXPECT_EQ(check.unchecked, 1u);
    ASSERT_EQ(check.misclosures.size(), 2u);
    const auto& first = check.misclosures[0].misclosure;
    EXPECT_NEAR(first.d[0], 0.1, 1e-6);
    EXPECT_NEAR(first.length, 0.1, 1e-6);
    EXPECT_NEAR(first.sigmas.value(), 10.0, 1e-3);
    EXPECT_TRUE(first.flagged);
    EXPECT_NEAR(check.misclosures[1].misclosure.d[1], -0.003, 1e-6);
    EXPECT_FALSE(check.misclosures[1].misclosure.flagged);

    ASSERT_EQ(check.repeats.size(), 1u);
    const auto& repeat = check.repeats[0];
    EXPECT_TRUE(repeat.reversed);
    EXPECT_NEAR(repeat.difference.d[0], -0.1, 1e-6);
    EXPECT_NEAR(repeat.difference.d[1], 0.003, 1e-6);
    EXPECT_NEAR(repeat.difference.sigmas.value(), 0.1 / std::hypot(0.01, 0.01), 1e-3);
    EXPECT_TRUE(repeat.difference.flagged);

    std::ostringstream report;
    cli::writeCheckReport(report, check, options);
    EXPECT_NE(report.str().find("2 vectors against point coordinates, 1 over the limit; 1 without both end points"),
              std::string::npos)
        << report.str();
}

TEST(NetworkCheck, PrefersThePointsOfTheVectorsOwnFile)
{
    // Two unrelated exports that both name a point "A".
    const auto ga = cli::toGeocentric({55.75, 37.6, 150.0}), gb = cli::toGeocentric({55.76, 37.62, 140.0});
    auto results = oneFile({point(L"A", 10, 10, 0)}, {});
    const auto second = oneFile({point(L"A", 55.75, 37.6, 150), point(L"B", 55.76, 37.62, 140)},
                                {vector(L"A", L"B", gb.x - ga.x, gb.y - ga.y, gb.z - ga.z, 0.01)});
    results.push_back(second[0]);
    const auto check = cli::checkNetwork(results, cli::CheckOptions());
    ASSERT_EQ(check.misclosures.size(), 1u);
    EXPECT_LT(check.misclosures[0].misclosure.length, 1e-6);
}

TEST(NetworkCheck, SigmasTestCanBeTurnedOff)
{
    const auto ga = cli::toGeocentric({55.75, 37.6, 150.0}), gb = cli::toGeocentric({55.76, 37.62, 140.0});
    const auto results = oneFile({point(L"A", 55.75, 37.6, 150), point(L"B", 55.76, 37.62, 140)},
                                 {vector(L"A", L"B", gb.x - ga.x + 0.004, gb.y - ga.y, gb.z - ga.z, 0.001)});
    cli::CheckOptions options;
    EXPECT_TRUE(cli::checkNetwork(results, options).misclosures[0].misclosure.flagged);
    options.maxSigmas = 0;
    EXPECT_FALSE(cli::checkNetwork(results, options).misclosures[0].misclosure.flagged);
}

// With a full covariance the misclosure's chi-squared value decides instead
// of the sigmas (4 sigma in X here); a matrix that is not positive definite
// falls back to the sigmas with a warning naming file and line.
TEST(NetworkCheck, FullCovarianceUsesChiSquared)
{
    struct Case {
        std::array<double, 6> covariance;
        std::optional<double> chi2;
        bool flagged;
    };
    const Case cases[] = {
        {{1e-6, 0, 0, 1e-6, 0, 1e-6}, 16.0, false},               // below 16.27, the 0.999 quantile
        {{1e-6, 0.9e-6, 0, 1e-6, 0, 1e-6}, 16.0 / 0.19, true},    // correlated: much less likely
        {{1e-6, 1.5e-6, 0, 1e-6, 0, 1e-6}, std::nullopt, true},   // correlation beyond 1: sigmas
        {{0, 0, 0, 1e-6, 0, 1e-6}, std::nullopt, true},           // zero variance: sigmas
    };
    const auto ga = cli::toGeocentric({55.75, 37.6, 150.0}), gb = cli::toGeocentric({55.76, 37.62, 140.0});
    for (const Case& c : cases) {
        auto v = vector(L"A", L"B", gb.x - ga.x + 0.004, gb.y - ga.y, gb.z - ga.z, 0.001);
        v.covariance = c.covariance;
        v.line = 4;
        const auto results = oneFile({point(L"A", 55.75, 37.6, 150), point(L"B", 55.76, 37.62, 140)}, {v});
        const auto check = cli::checkNetwork(results, cli::CheckOptions());
        const auto& m = check.misclosures.at(0).misclosure;
        ASSERT_EQ(m.chi2.has_value(), c.chi2.has_value());
        if (c.chi2) {
            EXPECT_NEAR(*m.chi2, *c.chi2, 1e-4 * *c.chi2);
        }
        EXPECT_EQ(m.flagged, c.flagged);
        EXPECT_EQ(check.warnings.size(), c.chi2 ? 0u : 1u);
        if (!c.chi2) {
            EXPECT_NE(check.warnings.at(0).find(":5: covariance of A - B is not positive definite"), std::string::npos)
                << check.warnings.at(0);
        }
    }
}

TEST(ProgressBar, AppearsOnlyAfterAMomentAndOnlyWhenEnabled)
{
    using namespace std::chrono_literals;
    const auto t0 = cli::ProgressBar::Clock::now();
    std::ostringstream off;
    {
        cli::ProgressBar bar(off, false, 100ms);
        bar.start("f.txt", t0);
        bar.update(50, t0 + 1s);
    }
    EXPECT_TRUE(off.str().empty());

    std::ostringstream on;
    cli::ProgressBar bar(on, true, 100ms);
    bar.start("topcon: f.txt", t0);
    bar.update(10, t0 + 50ms);
    EXPECT_TRUE(on.str().empty());
    bar.update(42.7f, t0 + 150ms);
    EXPECT_NE(on.str().find("topcon: f.txt [############..................]  42%"), std::string::npos) << on.str();
    bar.update(1e9, t0 + 200ms);
    EXPECT_NE(on.str().find("100%"), std::string::npos);
    bar.clear();
    EXPECT_EQ(on.str().back(), '\r');
}

} // namespace
