// WGS-84 geodetic and geocentric coordinates, and the point positions an
// import gives: each named point, and vector ends reached through vectors.
#pragma once

#include "ImportResult.h"

#include <map>
#include <optional>
#include <string>

namespace cli {

struct Geodetic {
    double latitude = 0;  // degrees
    double longitude = 0; // degrees
    std::optional<double> height; // ellipsoidal, metres
};

struct Geocentric {
    double x = 0, y = 0, z = 0; // metres
};

// A missing height counts as 0.
Geocentric toGeocentric(const Geodetic& g);
Geodetic toGeodetic(const Geocentric& c);

// The first position given for each point name across all files; points
// without a finite latitude and longitude are left out.
class PointIndex {
public:
    explicit PointIndex(const ImportResults& results);
    const Geodetic* find(const std::wstring& name) const;

private:
    std::map<std::wstring, Geodetic> m_points;
};

// Both ends of a vector when at least one is a known point and the deltas
// are there: the other end is the known one plus (or minus) the vector.
struct VectorEnds {
    Geodetic from, to;
    bool fromComputed = false, toComputed = false;
};
std::optional<VectorEnds> vectorEnds(const host::ImportedVector& vector, const PointIndex& points);

// Length of the vector's deltas, when all three are there.
std::optional<double> vectorLength(const host::ImportedVector& vector);

} // namespace cli
