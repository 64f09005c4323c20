#include "Writers.h"

#include "Geodesy.h"
#include "JsonRecords.h"
#include "Messages.h"
#include "Text.h"

namespace cli {

namespace {

std::optional<double> angle(const std::optional<double>& radians)
{
    return radians ? std::optional<double>(degrees(*radians)) : std::nullopt;
}

std::optional<int> lineNumber(int line) { return line >= 0 ? std::optional<int>(line + 1) : std::nullopt; }

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
    s.member("name", p.name);
    s.member("latitude", angle(p.latitude));
    s.member("longitude", angle(p.longitude));
    s.member("ellipsoidalHeight", p.ellipsoidalHeight);
    s.member("elevation", p.elevation);
    s.member("line", lineNumber(p.line));
    s.endObject();
}

void writeVector(JsonStream& s, const host::ImportedVector& v)
{
    s.beginObject();
    s.member("from", v.origin);
    s.member("to", v.target);
    writeVectorValues(s, v);
    s.member("line", lineNumber(v.line));
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
    s.member("path", result.path);
    s.key("plugin");
    if (result.pluginName.empty())
        s.value(nullptr);
    else
        s.value(result.pluginName);
    writeArray(s, "points", [&](auto each) { result.forEachPoint(each); }, writePoint);
    writeArray(s, "vectors", [&](auto each) { result.forEachVector(each); }, writeVector);
    const auto messages = [&](auto each) {
        for (const auto& m : result.data.messages)
            each(m);
    };
    writeArray(s, "messages", messages, [](JsonStream& out, const host::ImportMessage& m) {
        // A text outside the catalogue is its own English rendering.
        const auto translation = translate(m.text);
        out.beginObject();
        out.member("severity", severityName(m.severity));
        out.member("line", lineNumber(m.line));
        out.member("text", m.text);
        out.member("code", translation ? std::optional<std::string>(translation->code) : std::nullopt);
        out.member("textEn", translation ? translation->english : m.text);
        out.endObject();
    });
    s.endObject();
}

} // namespace

// Written record by record: a document tree of a large import would take
// many times the memory of the import itself.
void writeJson(std::ostream& stream, const ImportResults& results)
{
    std::size_t points = 0, vectors = 0, errors = 0, warnings = 0;
    OutputBuffer out(stream);
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
    s.beginObject();
    s.member("files", results.size());
    s.member("points", points);
    s.member("vectors", vectors);
    s.member("errors", errors);
    s.member("warnings", warnings);
    s.endObject();
    s.endObject();
    out << '\n';
}

} // namespace cli
