#include "Geodesy.h"

#include <GeographicLib/Geocentric.hpp>

#include <vector>

namespace cli {

Rotation enuRotation(double latitude, double longitude)
{
    // Geocentric::Forward's matrix turns east, north, up into geocentric axes.
    double x, y, z;
    std::vector<double> m(9);
    GeographicLib::Geocentric::WGS84().Forward(latitude, longitude, 0, x, y, z, m);
    return transposed({m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]});
}

} // namespace cli
