// WGS-84 geodetic and geocentric coordinates, and the positions an import
// gives: each named point, and vector ends reached through vectors.
#pragma once

#include <gnssimport/host/ImportModel.h>

#include <optional>
#include <string>
#include <unordered_map>

namespace geodesy {

struct Geodetic {
    double latitude = 0;  // degrees
    double longitude = 0; // degrees
    std::optional<double> height; // ellipsoidal, metres
};

struct Geocentric {
    double x = 0, y = 0, z = 0; // metres
};

double degrees(double radians);

// A missing height counts as 0.
Geocentric toGeocentric(const Geodetic& g);
Geodetic toGeodetic(const Geocentric& c);

// Point positions by name: the first one a file gives, else the first one
// any file gives (Pinnacle keeps stations and vectors in two files, while
// unrelated exports may reuse a name). Points without a finite latitude
// and longitude are left out. Files are added in order and must outlive
// the index.
class PointIndex {
public:
    void add(const host::ImportedFile& file);
    // One point of file, for points kept elsewhere than in file.points.
    void add(const host::ImportedPoint& point, const host::ImportedFile& file);
    const Geodetic* find(const std::wstring& name, const host::ImportedFile* file) const;

private:
    using Points = std::unordered_map<std::wstring, Geodetic>;
    Points m_all;
    std::unordered_map<const host::ImportedFile*, Points> m_byFile;
};

// Both ends of a vector when at least one is a known point and the deltas
// are there: the other end is the known one plus (or minus) the vector.
struct VectorEnds {
    Geodetic from, to;
    bool fromComputed = false, toComputed = false;
};
std::optional<VectorEnds> vectorEnds(const host::ImportedVector& vector, const host::ImportedFile& file,
                                     const PointIndex& points);

// Length of the vector's deltas, when all three are there.
std::optional<double> vectorLength(const host::ImportedVector& vector);

} // namespace geodesy
