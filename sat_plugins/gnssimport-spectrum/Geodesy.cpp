// Geocentric X, Y, Z to geodetic latitude and longitude on the WGS-84 ellipsoid.
#include "Parser.h"

#include "Exceptions/Exceptions.h"

#include <cmath>

namespace {

const double s_oneMinusE2 = 0.9933056200098587; // 1 - e^2
const double s_aE2 = 42697.67270717996;         // a * e^2, metres
const double s_tolerance = 4.8481368110953605e-11; // 1e-5 arc second
const double s_pi = 3.141592653589793;
// Passes allowed to each iteration. Six reach the tolerance anywhere from
// 500 m below the ellipsoid to 10 000 km above it, and a hundred everywhere
// farther than about 52 km from the Earth's centre; closer in the iteration
// turns chaotic.
const int s_maxPasses = 100;

// The same fixed point written as tan(phi) = (z + e^2 N sin(phi)) / p, which
// stays valid next to the polar axis, where p - e^2 N cos(phi) is not positive.
double LatitudeNearAxis(double p, double z)
{
    const double e2 = 1.0 - s_oneMinusE2;
    double previous = 0;
    for (int pass = 0; pass < s_maxPasses; ++pass) {
        const double s = std::sin(previous);
        const double phi = std::atan2(z + s_aE2 * s / std::sqrt(1.0 - e2 * s * s), p);
        if (std::fabs(phi - previous) <= s_tolerance)
            return phi;
        previous = phi;
    }
    throw CInvalidFileFormatException();
}

} // namespace

double CParser::CalculateLatitude(double x, double y, double z)
{
    const double p = std::sqrt(x * x + y * y);
    double t = 0;
    double previous = 0;
    for (int pass = 0; pass < s_maxPasses; ++pass) {
        const double c = s_oneMinusE2 * t * t + 1;
        const double divisor = p - s_aE2 / std::sqrt(c);
        if (!(divisor > 0))
            return LatitudeNearAxis(p, z);
        const double phi = std::atan(z / divisor);
        if (std::fabs(phi - previous) <= s_tolerance)
            return phi;
        t = std::tan(phi);
        previous = phi;
    }
    throw CInvalidFileFormatException();
}

double CParser::CalculateLongitude(double x, double y, double /*z*/)
{
    // atan(y / x) has no answer at x = y = 0 and a wrong sign at x = -0.
    if (x == 0)
        return y > 0 ? s_pi / 2 : (y < 0 ? -s_pi / 2 : 0.0);
    double lambda = std::atan(y / x);
    if (x < 0 && y >= 0)
        lambda += s_pi;
    else if (x < 0 && y < 0)
        lambda -= s_pi;
    return lambda;
}
