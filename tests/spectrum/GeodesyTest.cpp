// Geocentric to geodetic conversion, checked against a closed-form solution.
#include "Exceptions/Exceptions.h"
#include "Parser.h"
#include "SpectrumTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using LD = long double;
const LD kA = 6378137.0L;
const LD kE2 = 1 - 0.9933056200098587L;
const double kPi = 3.141592653589793;

// Vermeille's closed-form geodetic latitude, in long double.
LD closedFormLatitude(LD x, LD y, LD z)
{
    const LD e4 = kE2 * kE2, p = (x * x + y * y) / (kA * kA), q = (1 - kE2) / (kA * kA) * z * z;
    const LD r = (p + q - e4) / 6, s = e4 * p * q / (4 * r * r * r);
    const LD t = std::cbrt(1 + s + std::sqrt(s * (2 + s))), u = r * (1 + t + 1 / t);
    const LD v = std::sqrt(u * u + e4 * q), w = kE2 * (u + v - q) / (2 * v);
    const LD k = std::sqrt(u + v + w * w) - w, d = k * std::sqrt(x * x + y * y) / (k + kE2);
    return 2 * std::atan(z / (d + std::sqrt(d * d + z * z)));
}

// From the equator to both poles, 500 m below the ellipsoid to 10 000 km above.
TEST(SpectrumGeodesy, LatitudeAgreesWithClosedForm)
{
    LD largest = 0;
    for (int tenths = -900; tenths <= 900; ++tenths) {
        const LD phi = tenths / 10.0L * kPi / 180, lambda = tenths * 0.37L;
        const LD n = kA / std::sqrt(1 - kE2 * std::sin(phi) * std::sin(phi));
        for (const LD h : {-500.0L, 0.0L, 8848.0L, 1e5L, 1e7L}) {
            const double x = static_cast<double>((n + h) * std::cos(phi) * std::cos(lambda));
            const double y = static_cast<double>((n + h) * std::cos(phi) * std::sin(lambda));
            const double z = static_cast<double>((n * (1 - kE2) + h) * std::sin(phi));
            const LD difference = std::fabs(CParser::CalculateLatitude(x, y, z) - closedFormLatitude(x, y, z));
            largest = std::max(largest, difference);
        }
    }
    std::ostringstream shown;
    shown << static_cast<double>(largest);
    RecordProperty("largest_difference_rad", shown.str());
    EXPECT_LT(largest, 1e-12L);
}

TEST(SpectrumGeodesy, LatitudeAtSpecialPositions)
{
    EXPECT_EQ(CParser::CalculateLatitude(6378137.0, 0, 0), 0.0);
    // Next to the polar axis the divisor of the iteration is not positive.
    EXPECT_EQ(CParser::CalculateLatitude(0, 0, -6356752.3142), -kPi / 2);
    EXPECT_EQ(CParser::CalculateLatitude(0, 0, 6356752.3142), kPi / 2);
    EXPECT_NEAR(CParser::CalculateLatitude(10000, 0, -6356700), -1.5692337160613563, 1e-15);
    EXPECT_EQ(CParser::CalculateLatitude(42697.67270717996, 0, 0), 0.0);
    EXPECT_EQ(CParser::CalculateLatitude(0, 0, 0), 0.0);
    // 43 km from the centre the iteration never settles.
    EXPECT_THROW(CParser::CalculateLatitude(43000, 0, 1000), CInvalidFileFormatException);
}

TEST(SpectrumGeodesy, LongitudeInEveryQuadrantAndOnTheAxes)
{
    const struct {
        double x, y, longitude;
    } cases[] = {{-1, -1, -3 * kPi / 4}, {-1, 1, 3 * kPi / 4}, {1, -1, -kPi / 4}, {-1, 0, kPi},
                 {-1, -0.0, kPi},        {0, 1, kPi / 2},      {-0.0, 1, kPi / 2}, {0, -1, -kPi / 2},
                 {-0.0, -1, -kPi / 2},   {0, 0, 0},            {-0.0, 0, 0},       {1e-300, 1e300, kPi / 2}};
    for (const auto& c : cases)
        EXPECT_NEAR(CParser::CalculateLongitude(c.x, c.y, 0), c.longitude, 1e-15) << c.x << " " << c.y;
}

TEST(SpectrumGeodesy, StationsAtThePoleAndNearTheCentreThroughThePlugin)
{
    const auto pole = spectrum::importText(test::readBytes(test::sourcePath("tests/spectrum/data/base-station-at-south-pole.txt")));
    ASSERT_EQ(pole.points.size(), 2u);
    EXPECT_EQ(*pole.points[0].latitude, -kPi / 2);
    EXPECT_EQ(*pole.points[0].longitude, 0.0);

    const auto centre = spectrum::importText(test::readBytes(test::sourcePath("tests/spectrum/data/station-near-earth-centre.txt")));
    EXPECT_EQ(centre.kinds, std::vector<std::string>{"Error"});
}

} // namespace
