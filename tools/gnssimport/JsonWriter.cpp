#include "Writers.h"

#include "Geodesy.h"
#include "Messages.h"
#include "Text.h"

#include <nlohmann/json.hpp>

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

json fileJson(const FileResult& result)
{
    json points = json::array();
    for (const auto& p : result.data.points)
        points.push_back({{"name", utf8(p.name)},
                          {"latitude", angleOrNull(p.latitude)},
                          {"longitude", angleOrNull(p.longitude)},
                          {"ellipsoidalHeight", orNull(p.ellipsoidalHeight)},
                          {"elevation", orNull(p.elevation)},
                          {"line", lineOrNull(p.line)}});
    json vectors = json::array();
    for (const auto& v : result.data.vectors)
        vectors.push_back({{"from", utf8(v.origin)},
                           {"to", utf8(v.target)},
                           {"dx", orNull(v.dx())},
                           {"dy", orNull(v.dy())},
                           {"dz", orNull(v.dz())},
                           {"sigmaX", orNull(v.sigmaX())},
                           {"sigmaY", orNull(v.sigmaY())},
                           {"sigmaZ", orNull(v.sigmaZ())},
                           {"rms", orNull(v.rms())},
                           {"factor", orNull(v.factor())},
                           {"length", orNull(vectorLength(v))},
                           {"line", lineOrNull(v.line)}});
    json messages = json::array();
    for (const auto& m : result.data.messages) {
        // A text outside the catalogue is its own English rendering.
        const auto translation = translate(m.text);
        messages.push_back({{"severity", severityName(m.severity)},
                            {"line", lineOrNull(m.line)},
                            {"text", utf8(m.text)},
                            {"code", translation ? json(translation->code) : json(nullptr)},
                            {"textEn", utf8(translation ? translation->english : m.text)}});
    }
    return {{"path", utf8(result.path)},
            {"plugin", result.pluginName.empty() ? json(nullptr) : json(result.pluginName)},
            {"points", std::move(points)},
            {"vectors", std::move(vectors)},
            {"messages", std::move(messages)}};
}

} // namespace

void writeJson(std::ostream& out, const ImportResults& results)
{
    json files = json::array();
    std::size_t points = 0, vectors = 0, errors = 0, warnings = 0;
    for (const auto& result : results) {
        files.push_back(fileJson(result));
        points += result.data.points.size();
        vectors += result.data.vectors.size();
        errors += result.data.count(host::ImportMessage::Error);
        warnings += result.data.count(host::ImportMessage::Warning);
    }
    const json document = {{"files", std::move(files)},
                           {"summary",
                            {{"files", results.size()},
                             {"points", points},
                             {"vectors", vectors},
                             {"errors", errors},
                             {"warnings", warnings}}}};
    out << document.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

} // namespace cli
