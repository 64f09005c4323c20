#include "Writers.h"

#include "Geodesy.h"
#include "JsonRecords.h"
#include "Messages.h"
#include "Text.h"

namespace cli {

namespace {

using json = nlohmann::ordered_json;

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

void writePoint(JsonStream& s, const host::ImportedPoint& p)
{
    s.beginObject();
    s.member("name", utf8(p.name));
    s.member("latitude", angleOrNull(p.latitude));
    s.member("longitude", angleOrNull(p.longitude));
    s.member("ellipsoidalHeight", orNull(p.ellipsoidalHeight));
    s.member("elevation", orNull(p.elevation));
    s.member("line", lineOrNull(p.line));
    s.endObject();
}

void writeVector(JsonStream& s, const host::ImportedVector& v)
{
    s.beginObject();
    s.member("from", utf8(v.origin));
    s.member("to", utf8(v.target));
    writeVectorValues(s, v);
    s.member("line", lineOrNull(v.line));
    s.endObject();
}

template <typename ForEach, typename Write>
void writeArray(JsonStream& s, const char* key, ForEach forEach, Write write)
{
    s.key(key);
    s.beginArray();
    forEach([&](const auto& item) { write(s, item); });
    s.endArray();
}

void writeFile(JsonStream& s, const FileResult& result)
{
    s.beginObject();
    s.key("path");
    s.value(utf8(result.path));
    s.key("plugin");
    s.value(result.pluginName.empty() ? json(nullptr) : json(result.pluginName));
    writeArray(s, "points", [&](auto each) { result.forEachPoint(each); }, writePoint);
    writeArray(s, "vectors", [&](auto each) { result.forEachVector(each); }, writeVector);
    const auto messages = [&](auto each) {
        for (const auto& m : result.data.messages)
            each(m);
    };
    writeArray(s, "messages", messages, [](JsonStream& out, const host::ImportMessage& m) {
        // A text outside the catalogue is its own English rendering.
        const auto translation = translate(m.text);
        out.value(json{{"severity", severityName(m.severity)},
                       {"line", lineOrNull(m.line)},
                       {"text", utf8(m.text)},
                       {"code", translation ? json(translation->code) : json(nullptr)},
                       {"textEn", utf8(translation ? translation->english : m.text)}});
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
