// The network handed to adjustment engines: the rotation into east, north,
// up, the covariance checks, and how stations and vectors are merged,
// placed, renamed or left out.
#include "Covariance.h"
#include "ExportNetwork.h"
#include "Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees) { return degrees * kPi / 180.0; }

// East, north and up as geocentric unit vectors, from the textbook formulas.
std::array<std::array<double, 3>, 3> enuAxes(double latitude, double longitude)
{
    const double p = radians(latitude), l = radians(longitude);
    return {{{-std::sin(l), std::cos(l), 0},
             {-std::sin(p) * std::cos(l), -std::sin(p) * std::sin(l), std::cos(p)},
             {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)}}};
}

TEST(ExportGeodesy, VectorsDueEastNorthAndUpRotateOntoTheAxes)
{
    const double places[][2] = {{0, 0}, {55.75, 37.6}, {-36.55, 146.72}, {-89.9, -120}, {12, -179.5}};
    for (const auto& place : places) {
        SCOPED_TRACE(std::to_string(place[0]) + " " + std::to_string(place[1]));
        const cli::Rotation r = cli::enuRotation(place[0], place[1]);
        const auto axes = enuAxes(place[0], place[1]);
        for (int axis = 0; axis < 3; ++axis) {
            const auto local = cli::rotate(r, axes[axis]);
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(local[i], i == axis ? 1.0 : 0.0, 1e-12) << "axis " << axis << " component " << i;
        }
    }
}

TEST(ExportGeodesy, CovarianceRotatedAndBackIsUnchanged)
{
    const cli::Covariance c{1.7e-5, -1.05e-5, 1.42e-5, 9.4e-6, -1.02e-5, 1.43e-5};
    const cli::Rotation r = cli::enuRotation(-36.55, 146.72);
    const cli::Covariance enu = cli::rotate(r, c);
    const cli::Covariance back = cli::rotate(cli::transposed(r), enu);
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(back[i], c[i], 1e-18) << i;
    // The trace does not depend on the frame; up is the largest at this site.
    EXPECT_NEAR(enu[0] + enu[3] + enu[5], c[0] + c[3] + c[5], 1e-18);
}

TEST(ExportGeodesy, PositiveDefiniteness)
{
    struct Case {
        cli::Covariance c;
        bool expected;
    } cases[] = {
        {{1, 0, 0, 1, 0, 1}, true},
        {{4, 1.9, 0, 1, 0, 1}, true},
        {{1, 1, 0, 1, 0, 1}, false},  // singular
        {{1, 0, 0, 1, 0, 0}, false},  // zero sigma
        {{-1, 0, 0, 1, 0, 1}, false}, // negative variance
        {{1, 0.9, 0.9, 1, -0.9, 1}, false},
        {{1, 0, 0, NAN, 0, 1}, false},
        {{1, 0, 0, INFINITY, 0, 1}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::isPositiveDefinite(c.c), c.expected) << c.c[0] << ' ' << c.c[1] << ' ' << c.c[2];
}

host::ImportedPoint point(const wchar_t* name, double latitude, double longitude, double height, int line = 0)
{
    host::ImportedPoint p;
    p.name = name;
    p.latitude = radians(latitude);
    p.longitude = radians(longitude);
    p.ellipsoidalHeight = height;
    p.line = line;
    return p;
}

host::ImportedVector vector(const wchar_t* from, const wchar_t* to, double dx, double dy, double dz, int line = 0)
{
    host::ImportedVector v;
    v.origin = from;
    v.target = to;
    v.values[0] = dx;
    v.values[1] = dy;
    v.values[2] = dz;
    v.values[3] = v.values[4] = v.values[5] = 0.01;
    v.line = line;
    return v;
}

cli::ImportResults files(std::vector<std::vector<host::ImportedPoint>> points,
                         std::vector<std::vector<host::ImportedVector>> vectors)
{
    cli::ImportResults results(points.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        results[i].path = L"f" + std::to_wstring(i + 1);
        results[i].data.points = points[i];
        results[i].data.vectors = vectors[i];
    }
    return results;
}

TEST(ExportNetwork, BadVectorsAreLeftOutWithTheirLine)
{
    auto notDefinite = vector(L"A", L"B", 1, 1, 1, 5);
    notDefinite.covariance = cli::Covariance{1, 1, 0, 1, 0, 1};
    auto noSigma = vector(L"A", L"B", 1, 1, 1, 6);
    noSigma.values[4].reset();
    auto missing = vector(L"A", L"B", 1, 1, 1, 3);
    missing.values[1].reset();
    const auto results = files({{point(L"A", 10, 20, 30)}},
                               {{vector(L"A", L"B", 100, 0, 0, 0), vector(L"A", L"A", 1, 1, 1, 1),
                                 vector(L"A", L"B", NAN, 1, 1, 2), missing, notDefinite, noSigma}});
    std::ostringstream warnings;
    const auto network = cli::buildExportNetwork(results, {}, cli::NameRule::XmlText, warnings);
    ASSERT_EQ(network.vectors.size(), 1u);
    EXPECT_EQ(network.vectors[0].delta[0], 100);
    const std::string text = warnings.str();
    for (const char* expected : {"f1:2: warning: vector A - A left out: both ends are the same station",
                                 "f1:3: warning: vector A - B left out: a component is missing or not finite",
                                 "f1:4: warning: vector A - B left out: a component is missing or not finite",
                                 "f1:6: warning: vector A - B left out: covariance not positive definite",
                                 "f1:7: warning: vector A - B left out: no standard deviations",
                                 "constrained A (the first station with coordinates)",
                                 "1 of 1 vectors written without correlations"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST(ExportNetwork, StationsArePlacedThroughVectorsBreadthFirstAndUnreachedOnesLeftOut)
{
    // B is reached from A directly and again through C; the direct vector,
    // walked backwards for D, decides. E and F only see each other.
    const auto results = files({{point(L"A", -36.5, 146.7, 200)}, {}},
                               {{vector(L"A", L"B", 10, 20, 30), vector(L"C", L"A", 1, 2, 3)},
                                {vector(L"C", L"B", 99, 99, 99), vector(L"D", L"B", 1, 1, 1),
                                 vector(L"E", L"F", 1, 1, 1)}});
    std::ostringstream warnings;
    const auto network = cli::buildExportNetwork(results, {}, cli::NameRule::XmlText, warnings);
    ASSERT_EQ(network.stations.size(), 4u);
    EXPECT_EQ(network.vectors.size(), 4u);
    const auto a = network.stations[0].position;
    const auto& b = network.stations[1];
    const auto& c = network.stations[2];
    const auto& d = network.stations[3];
    EXPECT_EQ(b.name, L"B");
    EXPECT_TRUE(b.computed);
    EXPECT_EQ(b.position.x, a.x + 10);
    EXPECT_EQ(c.position.z, a.z - 3);
    EXPECT_EQ(d.position.y, b.position.y - 1);
    EXPECT_TRUE(network.stations[0].fixed);
    EXPECT_FALSE(b.fixed);
    EXPECT_NE(warnings.str().find("station E left out with its vectors"), std::string::npos);
    EXPECT_NE(warnings.str().find("station F left out with its vectors"), std::string::npos);
}

TEST(ExportNetwork, MergedStationsKeepTheFirstPositionAndWarnBeyondTenCentimetres)
{
    // 1e-6 degrees of latitude is 11 cm; 5e-7 about 5.5 cm.
    const auto results = files({{point(L"A", 10, 20, 30, 4), point(L"B", 10.01, 20, 30)},
                                {point(L"A", 10.000001, 20, 30, 8), point(L"B", 10.0100005, 20, 30)}},
                               {{vector(L"A", L"B", 1, 1, 1)}, {}});
    std::ostringstream warnings;
    const auto network = cli::buildExportNetwork(results, {}, cli::NameRule::XmlText, warnings);
    EXPECT_EQ(network.stations[0].position.z, cli::toGeocentric({10, 20, 30}).z);
    const std::string text = warnings.str();
    EXPECT_NE(text.find("f2:9: warning: station A lies 0.111 m from its position in f1:5; the first is kept"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("station B lies"), std::string::npos) << text;
}

TEST(ExportNetwork, TokenNamesRenamedConsistentlyAndConstraintsByName)
{
    const auto results = files({{point(L" A  1", 10, 20, 30), point(L"_A__1", 10.01, 20, 30), point(L"B\tC", 10, 20.01, 30)}},
                               {{vector(L" A  1", L"_A__1", 1, 1, 1), vector(L"B\tC", L" A  1", 1, 1, 1)}});
    cli::ExportOptions options;
    options.fix = {"_A__1", "nowhere", "B\tC"};
    std::ostringstream warnings;
    const auto network = cli::buildExportNetwork(results, options, cli::NameRule::Token, warnings);
    ASSERT_EQ(network.stations.size(), 3u);
    EXPECT_EQ(network.stations[0].id, "_A__1_2");
    EXPECT_EQ(network.stations[1].id, "_A__1");
    EXPECT_EQ(network.stations[2].id, "B_C");
    EXPECT_FALSE(network.stations[0].fixed);
    EXPECT_TRUE(network.stations[1].fixed && network.stations[2].fixed);
    EXPECT_EQ(network.origin, 1u);
    EXPECT_NE(warnings.str().find("--fix nowhere: no exported station"), std::string::npos);
    EXPECT_NE(warnings.str().find("station \" A  1\" written as \"_A__1_2\""), std::string::npos);

    std::ostringstream plain;
    const auto xml = cli::buildExportNetwork(results, {}, cli::NameRule::XmlText, plain);
    EXPECT_EQ(xml.stations[0].id, " A  1");
    EXPECT_EQ(xml.stations[2].id, "B_C");
}

TEST(ExportNetwork, NothingLeftToAdjustIsAnError)
{
    std::ostringstream warnings;
    const auto noVectors = files({{point(L"A", 10, 20, 30)}}, {{}});
    EXPECT_THROW(cli::buildExportNetwork(noVectors, {}, cli::NameRule::Token, warnings), cli::ExportError);
    const auto unplaced = files({{}}, {{vector(L"A", L"B", 1, 1, 1)}});
    EXPECT_THROW(cli::buildExportNetwork(unplaced, {}, cli::NameRule::Token, warnings), cli::ExportError);
    cli::ExportOptions options;
    options.fix = {"Z"};
    const auto fine = files({{point(L"A", 10, 20, 30)}}, {{vector(L"A", L"B", 1, 1, 1)}});
    EXPECT_THROW(cli::buildExportNetwork(fine, options, cli::NameRule::Token, warnings), cli::ExportError);
}

} // namespace
