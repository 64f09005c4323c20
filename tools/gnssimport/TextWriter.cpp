#include "Writers.h"

#include "Geodesy.h"
#include "Text.h"
#include "TextTable.h"

namespace cli {

namespace {

template <typename T>
std::string metres(const std::optional<T>& value, int decimals = 4)
{
    return value ? fixed(*value, decimals) : "-";
}

std::string angle(const std::optional<double>& radians, bool latitude)
{
    return radians ? dms(*radians, latitude) : "-";
}

std::string lineNumber(int line) { return line >= 0 ? std::to_string(line + 1) : "-"; }

std::string plural(std::size_t n, const char* word)
{
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// Two passes over the records: widths, then lines.
template <typename ForEach, typename Row>
void writeTable(std::ostream& out, TextTable& table, ForEach forEach, Row row)
{
    forEach([&](const auto& record) { table.measure(row(record)); });
    out << '\n';
    table.writeTitles(out);
    forEach([&](const auto& record) { table.writeRow(out, row(record)); });
}

void writePoints(std::ostream& out, const FileResult& file)
{
    TextTable table({{"Point", TextTable::Left},
                     {"Latitude", TextTable::Right},
                     {"Longitude", TextTable::Right},
                     {"Ell. height", TextTable::Right},
                     {"Elevation", TextTable::Right},
                     {"Line", TextTable::Right}});
    writeTable(
        out, table, [&](auto each) { file.forEachPoint(each); },
        [](const host::ImportedPoint& p) -> std::vector<std::string> {
            return {utf8(p.name),         angle(p.latitude, true), angle(p.longitude, false),
                    metres(p.ellipsoidalHeight), metres(p.elevation),    lineNumber(p.line)};
        });
}

void writeVectors(std::ostream& out, const FileResult& file)
{
    TextTable table({{"From", TextTable::Left},
                     {"To", TextTable::Left},
                     {"dX", TextTable::Right},
                     {"dY", TextTable::Right},
                     {"dZ", TextTable::Right},
                     {"SigmaX", TextTable::Right},
                     {"SigmaY", TextTable::Right},
                     {"SigmaZ", TextTable::Right},
                     {"RMS", TextTable::Right},
                     {"Factor", TextTable::Right},
                     {"Length", TextTable::Right},
                     {"Line", TextTable::Right}});
    writeTable(
        out, table, [&](auto each) { file.forEachVector(each); },
        [](const host::ImportedVector& v) -> std::vector<std::string> {
            return {utf8(v.origin),    utf8(v.target),      metres(v.dx()),  metres(v.dy()),
                    metres(v.dz()),    metres(v.sigmaX()),  metres(v.sigmaY()), metres(v.sigmaZ()),
                    metres(v.rms()),   metres(v.factor()),  metres(vectorLength(v)), lineNumber(v.line)};
        });
}

} // namespace

void writeText(std::ostream& out, const ImportResults& results)
{
    bool first = true;
    for (const auto& result : results) {
        const auto& file = result.data;
        if (!first)
            out << '\n';
        first = false;
        out << utf8(result.path) << ": "
            << (result.pluginName.empty() ? std::string("not imported") : result.pluginName) << ", "
            << plural(result.pointCount(), "point") << ", " << plural(result.vectorCount(), "vector");
        if (const auto errors = file.count(host::ImportMessage::Error))
            out << ", " << plural(errors, "error");
        if (const auto warnings = file.count(host::ImportMessage::Warning))
            out << ", " << plural(warnings, "warning");
        out << '\n';
        if (result.pointCount() > 0)
            writePoints(out, result);
        if (result.vectorCount() > 0)
            writeVectors(out, result);
    }
}

} // namespace cli
