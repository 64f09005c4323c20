#include "Writers.h"

#include "Geodesy.h"
#include "JsonStream.h"
#include "Messages.h"
#include "Text.h"

namespace cli {

namespace {

using json = nlohmann::ordered_json;

template <typename T>
json orNull(const std::optional<T>& value)
{
    return value ? json(*value) : json(nullptr);
}

json angleOrNull(const std::optional<double>& radians)
{
    return radians ? json(degrees(*radians)) : json(nullptr);
}

json lineOrNull(int line) { return line >= 0 ? json(line + 1) : json(nullptr); }

const char* severityName(host::ImportMessage::Severity severity)
{
    switch (severity) {
    case host::ImportMessage::Error: return "error";
    case host::ImportMessage::Warning: return "warning";
    case host::ImportMessage::HostWarning: return "host";
    }
    return "error";
}

json pointJson(const host::ImportedPoint& p)
{
    return {{"name", utf8(p.name)},
            {"latitude", angleOrNull(p.latitude)},
            {"longitude", angleOrNull(p.longitude)},
            {"ellipsoidalHeight", orNull(p.ellipsoidalHeight)},
            {"elevation", orNull(p.elevation)},
            {"line", lineOrNull(p.line)}};
}

json vectorJson(const host::ImportedVector& v)
{
    return {{"from", utf8(v.origin)},
            {"to", utf8(v.target)},
            {"dx", orNull(v.dx())},
            {"dy", orNull(v.dy())},
            {"dz", orNull(v.dz())},
            {"sigmaX", orNull(v.sigmaX())},
            {"sigmaY", orNull(v.sigmaY())},
            {"sigmaZ", orNull(v.sigmaZ())},
            {"rms", orNull(v.rms())},
            {"factor", orNull(v.factor())},
            {"covariance", orNull(v.covariance)},
            {"length", orNull(vectorLength(v))},
            {"line", lineOrNull(v.line)}};
}

template <typename ForEach, typename ToJson>
void writeArray(JsonStream& s, const char* key, ForEach forEach, ToJson toJson)
{
    s.key(key);
    s.beginArray();
    forEach([&](const auto& item) { s.value(toJson(item)); });
    s.endArray();
}

void writeFile(JsonStream& s, const FileResult& result)
{
    s.beginObject();
    s.key("path");
    s.value(utf8(result.path));
    s.key("plugin");
    s.value(result.pluginName.empty() ? json(nullptr) : json(result.pluginName));
    writeArray(s, "points", [&](auto each) { result.forEachPoint(each); }, pointJson);
    writeArray(s, "vectors", [&](auto each) { result.forEachVector(each); }, vectorJson);
    const auto messages = [&](auto each) {
        for (const auto& m : result.data.messages)
            each(m);
    };
    writeArray(s, "messages", messages, [](const host::ImportMessage& m) {
        // A text outside the catalogue is its own English rendering.
        const auto translation = translate(m.text);
        return json{{"severity", severityName(m.severity)},
                    {"line", lineOrNull(m.line)},
                    {"text", utf8(m.text)},
                    {"code", translation ? json(translation->code) : json(nullptr)},
                    {"textEn", utf8(translation ? translation->english : m.text)}};
    });
    s.endObject();
}

} // namespace

// Written record by record: a document tree of a large import would take
// many times the memory of the import itself.
void writeJson(std::ostream& out, const ImportResults& results)
{
    std::size_t points = 0, vectors = 0, errors = 0, warnings = 0;
    JsonStream s(out);
    s.beginObject();
    s.key("files");
    s.beginArray();
    for (const auto& result : results) {
        writeFile(s, result);
        points += result.pointCount();
        vectors += result.vectorCount();
        errors += result.data.count(host::ImportMessage::Error);
        warnings += result.data.count(host::ImportMessage::Warning);
    }
    s.endArray();
    s.key("summary");
    s.value({{"files", results.size()},
             {"points", points},
             {"vectors", vectors},
             {"errors", errors},
             {"warnings", warnings}});
    s.endObject();
    out << '\n';
}

} // namespace cli
