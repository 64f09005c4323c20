#include <gnssimport/geodesy/Geodesy.h>

#include <GeographicLib/Geocentric.hpp>

#include <cmath>

namespace geodesy {

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

double degrees(double radians) { return radians * 180.0 / kPi; }

Geocentric toGeocentric(const Geodetic& g)
{
    Geocentric c;
    GeographicLib::Geocentric::WGS84().Forward(g.latitude, g.longitude, g.height.value_or(0.0), c.x, c.y, c.z);
    return c;
}

Geodetic toGeodetic(const Geocentric& c)
{
    Geodetic g;
    double h = 0;
    GeographicLib::Geocentric::WGS84().Reverse(c.x, c.y, c.z, g.latitude, g.longitude, h);
    g.height = h;
    return g;
}

void PointIndex::add(const host::ImportedFile& file)
{
    for (const auto& point : file.points)
        add(point, file);
}

void PointIndex::add(const host::ImportedPoint& point, const host::ImportedFile& file)
{
    if (!point.latitude || !point.longitude || !std::isfinite(*point.latitude) || !std::isfinite(*point.longitude))
        return;
    Geodetic g;
    g.latitude = degrees(*point.latitude);
    g.longitude = degrees(*point.longitude);
    if (point.ellipsoidalHeight && std::isfinite(*point.ellipsoidalHeight))
        g.height = point.ellipsoidalHeight;
    m_byFile[&file].emplace(point.name, g);
    m_all.emplace(point.name, g);
}

const Geodetic* PointIndex::find(const std::wstring& name, const host::ImportedFile* file) const
{
    const auto own = m_byFile.find(file);
    if (own != m_byFile.end()) {
        const auto it = own->second.find(name);
        if (it != own->second.end())
            return &it->second;
    }
    const auto it = m_all.find(name);
    return it == m_all.end() ? nullptr : &it->second;
}

std::optional<VectorEnds> vectorEnds(const host::ImportedVector& vector, const host::ImportedFile& file,
                                     const PointIndex& points)
{
    const Geodetic* from = points.find(vector.origin, &file);
    const Geodetic* to = points.find(vector.target, &file);
    if (from && to)
        return VectorEnds{*from, *to, false, false};
    if ((!from && !to) || !vector.dx() || !vector.dy() || !vector.dz())
        return std::nullopt;
    const double sign = from ? 1.0 : -1.0;
    const Geocentric known = toGeocentric(from ? *from : *to);
    const Geocentric other{known.x + sign * *vector.dx(), known.y + sign * *vector.dy(),
                           known.z + sign * *vector.dz()};
    if (!std::isfinite(other.x) || !std::isfinite(other.y) || !std::isfinite(other.z))
        return std::nullopt;
    Geodetic computed = toGeodetic(other);
    // A height derived from a point without one would be made up.
    if (!(from ? from : to)->height)
        computed.height.reset();
    if (from)
        return VectorEnds{*from, computed, false, true};
    return VectorEnds{computed, *to, true, false};
}

std::optional<double> vectorLength(const host::ImportedVector& vector)
{
    if (!vector.dx() || !vector.dy() || !vector.dz())
        return std::nullopt;
    return std::sqrt(*vector.dx() * *vector.dx() + *vector.dy() * *vector.dy() + *vector.dz() * *vector.dz());
}

} // namespace geodesy
