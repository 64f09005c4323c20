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

void writePoints(std::ostream& out, const host::ImportedFile& file)
{
    TextTable table({{"Point", TextTable::Left},
                     {"Latitude", TextTable::Right},
                     {"Longitude", TextTable::Right},
                     {"Ell. height", TextTable::Right},
                     {"Elevation", TextTable::Right},
                     {"Line", TextTable::Right}});
    for (const auto& p : file.points)
        table.add({utf8(p.name), angle(p.latitude, true), angle(p.longitude, false), metres(p.ellipsoidalHeight),
                   metres(p.elevation), lineNumber(p.line)});
    out << '\n';
    table.write(out);
}

void writeVectors(std::ostream& out, const host::ImportedFile& file)
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
    for (const auto& v : file.vectors)
        table.add({utf8(v.origin), utf8(v.target), metres(v.dx()), metres(v.dy()), metres(v.dz()),
                   metres(v.sigmaX()), metres(v.sigmaY()), metres(v.sigmaZ()), metres(v.rms()),
                   metres(v.factor()), metres(vectorLength(v)), lineNumber(v.line)});
    out << '\n';
    table.write(out);
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
            << plural(file.points.size(), "point") << ", " << plural(file.vectors.size(), "vector");
        if (const auto errors = file.count(host::ImportMessage::Error))
            out << ", " << plural(errors, "error");
        if (const auto warnings = file.count(host::ImportMessage::Warning))
            out << ", " << plural(warnings, "warning");
        out << '\n';
        if (!file.points.empty())
            writePoints(out, file);
        if (!file.vectors.empty())
            writeVectors(out, file);
    }
}

} // namespace cli
