#include "Writers.h"

#include "Geodesy.h"
#include "JsonRecords.h"
#include "Text.h"

#include <cmath>

namespace cli {

namespace {

void writePosition(JsonStream& s, const Geodetic& g, bool withHeight)
{
    s.beginArray();
    s.value(g.longitude);
    s.value(g.latitude);
    if (withHeight && g.height)
        s.value(*g.height);
    s.endArray();
}

bool finite(const std::optional<double>& value) { return value && std::isfinite(*value); }

// A geometry of type whose coordinates writeCoordinates writes.
template <typename Coordinates>
void writeGeometry(JsonStream& s, const char* type, Coordinates writeCoordinates)
{
    s.key("geometry");
    s.beginObject();
    s.member("type", type);
    s.key("coordinates");
    writeCoordinates();
    s.endObject();
}

void writePointFeature(JsonStream& s, const FileResult& result, const std::string& path,
                       const host::ImportedPoint& point)
{
    s.beginObject();
    s.member("type", "Feature");
    if (finite(point.latitude) && finite(point.longitude)) {
        Geodetic g{degrees(*point.latitude), degrees(*point.longitude), std::nullopt};
        if (finite(point.ellipsoidalHeight))
            g.height = point.ellipsoidalHeight;
        writeGeometry(s, "Point", [&] { writePosition(s, g, true); });
    } else {
        s.member("geometry", nullptr);
    }
    s.key("properties");
    s.beginObject();
    s.member("kind", "point");
    s.member("name", point.name);
    s.member("file", path);
    s.member("plugin", result.pluginName);
    s.member("ellipsoidalHeight", point.ellipsoidalHeight);
    s.member("elevation", point.elevation);
    s.endObject();
    s.endObject();
}

void writeVectorFeature(JsonStream& s, const FileResult& result, const std::string& path,
                        const host::ImportedVector& vector, const PointIndex& index)
{
    s.beginObject();
    s.member("type", "Feature");
    const auto ends = vectorEnds(vector, result, index);
    if (ends) {
        // Positions of one line share their dimension.
        const bool heights = ends->from.height && ends->to.height;
        writeGeometry(s, "LineString", [&] {
            s.beginArray();
            writePosition(s, ends->from, heights);
            writePosition(s, ends->to, heights);
            s.endArray();
        });
    } else {
        s.member("geometry", nullptr);
    }
    s.key("properties");
    s.beginObject();
    s.member("kind", "vector");
    s.member("from", vector.origin);
    s.member("to", vector.target);
    s.member("file", path);
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
void writeGeoJson(std::ostream& stream, const ImportResults& results)
{
    const PointIndex index(results);
    OutputBuffer out(stream);
    JsonStream s(out);
    s.beginObject();
    s.key("type");
    s.value("FeatureCollection");
    s.key("features");
    s.beginArray();
    for (const auto& result : results) {
        const std::string path = utf8(result.path);
        result.forEachPoint([&](const host::ImportedPoint& point) { writePointFeature(s, result, path, point); });
        result.forEachVector(
            [&](const host::ImportedVector& vector) { writeVectorFeature(s, result, path, vector, index); });
    }
    s.endArray();
    s.endObject();
    out << '\n';
}

} // namespace cli
