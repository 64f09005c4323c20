#include "Writers.h"

#include "Geodesy.h"
#include "JsonStream.h"
#include "Text.h"

#include <cmath>

namespace cli {

namespace {

using json = nlohmann::ordered_json;

template <typename T>
json orNull(const std::optional<T>& value)
{
    return value ? json(*value) : json(nullptr);
}

json position(const Geodetic& g, bool withHeight)
{
    json p = json::array({g.longitude, g.latitude});
    if (withHeight && g.height)
        p.push_back(*g.height);
    return p;
}

bool finite(const std::optional<double>& value) { return value && std::isfinite(*value); }

json pointFeature(const FileResult& result, const host::ImportedPoint& point)
{
    json geometry = nullptr;
    if (finite(point.latitude) && finite(point.longitude)) {
        Geodetic g{degrees(*point.latitude), degrees(*point.longitude), std::nullopt};
        if (finite(point.ellipsoidalHeight))
            g.height = point.ellipsoidalHeight;
        geometry = {{"type", "Point"}, {"coordinates", position(g, true)}};
    }
    return {{"type", "Feature"},
            {"geometry", std::move(geometry)},
            {"properties",
             {{"kind", "point"},
              {"name", utf8(point.name)},
              {"file", utf8(result.path)},
              {"plugin", result.pluginName},
              {"ellipsoidalHeight", orNull(point.ellipsoidalHeight)},
              {"elevation", orNull(point.elevation)}}}};
}

json vectorFeature(const FileResult& result, const host::ImportedVector& vector, const PointIndex& index)
{
    json geometry = nullptr;
    json properties = {{"kind", "vector"},
                       {"from", utf8(vector.origin)},
                       {"to", utf8(vector.target)},
                       {"file", utf8(result.path)},
                       {"plugin", result.pluginName},
                       {"dx", orNull(vector.dx())},
                       {"dy", orNull(vector.dy())},
                       {"dz", orNull(vector.dz())},
                       {"sigmaX", orNull(vector.sigmaX())},
                       {"sigmaY", orNull(vector.sigmaY())},
                       {"sigmaZ", orNull(vector.sigmaZ())},
                       {"rms", orNull(vector.rms())},
                       {"factor", orNull(vector.factor())},
                       {"covariance", orNull(vector.covariance)},
                       {"length", orNull(vectorLength(vector))}};
    if (const auto ends = vectorEnds(vector, result, index)) {
        // Positions of one line share their dimension.
        const bool heights = ends->from.height && ends->to.height;
        geometry = {{"type", "LineString"},
                    {"coordinates", json::array({position(ends->from, heights), position(ends->to, heights)})}};
        properties["fromComputed"] = ends->fromComputed;
        properties["toComputed"] = ends->toComputed;
    }
    return {{"type", "Feature"}, {"geometry", std::move(geometry)}, {"properties", std::move(properties)}};
}

} // namespace

// Written feature by feature, never as one document tree.
void writeGeoJson(std::ostream& out, const ImportResults& results)
{
    const PointIndex index(results);
    JsonStream s(out);
    s.beginObject();
    s.key("type");
    s.value("FeatureCollection");
    s.key("features");
    s.beginArray();
    for (const auto& result : results) {
        result.forEachPoint([&](const host::ImportedPoint& point) { s.value(pointFeature(result, point)); });
        result.forEachVector(
            [&](const host::ImportedVector& vector) { s.value(vectorFeature(result, vector, index)); });
    }
    s.endArray();
    s.endObject();
    out << '\n';
}

} // namespace cli
