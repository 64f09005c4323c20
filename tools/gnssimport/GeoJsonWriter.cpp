#include "Writers.h"

#include "Geodesy.h"
#include "JsonRecords.h"
#include "Text.h"

#include <cmath>

namespace cli {

namespace {

using json = nlohmann::ordered_json;

json position(const Geodetic& g, bool withHeight)
{
    json p = json::array({g.longitude, g.latitude});
    if (withHeight && g.height)
        p.push_back(*g.height);
    return p;
}

bool finite(const std::optional<double>& value) { return value && std::isfinite(*value); }

// A geometry of type, or null when there are no coordinates.
void writeGeometry(JsonStream& s, const char* type, const json& coordinates)
{
    if (coordinates.is_null())
        return s.member("geometry", nullptr);
    s.key("geometry");
    s.beginObject();
    s.member("type", type);
    s.member("coordinates", coordinates);
    s.endObject();
}

void writePointFeature(JsonStream& s, const FileResult& result, const host::ImportedPoint& point)
{
    s.beginObject();
    s.member("type", "Feature");
    json coordinates;
    if (finite(point.latitude) && finite(point.longitude)) {
        Geodetic g{degrees(*point.latitude), degrees(*point.longitude), std::nullopt};
        if (finite(point.ellipsoidalHeight))
            g.height = point.ellipsoidalHeight;
        coordinates = position(g, true);
    }
    writeGeometry(s, "Point", coordinates);
    s.key("properties");
    s.beginObject();
    s.member("kind", "point");
    s.member("name", utf8(point.name));
    s.member("file", utf8(result.path));
    s.member("plugin", result.pluginName);
    s.member("ellipsoidalHeight", orNull(point.ellipsoidalHeight));
    s.member("elevation", orNull(point.elevation));
    s.endObject();
    s.endObject();
}

void writeVectorFeature(JsonStream& s, const FileResult& result, const host::ImportedVector& vector,
                        const PointIndex& index)
{
    s.beginObject();
    s.member("type", "Feature");
    const auto ends = vectorEnds(vector, result, index);
    json coordinates;
    if (ends) {
        // Positions of one line share their dimension.
        const bool heights = ends->from.height && ends->to.height;
        coordinates = json::array({position(ends->from, heights), position(ends->to, heights)});
    }
    writeGeometry(s, "LineString", coordinates);
    s.key("properties");
    s.beginObject();
    s.member("kind", "vector");
    s.member("from", utf8(vector.origin));
    s.member("to", utf8(vector.target));
    s.member("file", utf8(result.path));
    s.member("plugin", result.pluginName);
    writeVectorValues(s, vector);
    if (ends) {
        s.member("fromComputed", ends->fromComputed);
        s.member("toComputed", ends->toComputed);
    }
    s.endObject();
    s.endObject();
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
        result.forEachPoint([&](const host::ImportedPoint& point) { writePointFeature(s, result, point); });
        result.forEachVector(
            [&](const host::ImportedVector& vector) { writeVectorFeature(s, result, vector, index); });
    }
    s.endArray();
    s.endObject();
    out << '\n';
}

} // namespace cli
