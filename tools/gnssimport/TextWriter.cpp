#include "Writers.h"

#include "Geodesy.h"
#include "OutputBuffer.h"
#include "Text.h"
#include "TextTable.h"

namespace cli {

namespace {

// The table cells of a record, filled in place so that each row reuses the
// text of the one before.
class Cells {
public:
    explicit Cells(std::size_t count) : m_cells(count) {}

    void metres(std::size_t i, const std::optional<double>& value, int decimals = 4)
    {
        m_cells[i] = value ? fixed(*value, decimals) : "-";
    }
    void angle(std::size_t i, const std::optional<double>& radians, bool latitude)
    {
        m_cells[i] = radians ? dms(*radians, latitude) : "-";
    }
    void line(std::size_t i, int line)
    {
        if (line >= 0)
            m_cells[i] = std::to_string(line + 1);
        else
            m_cells[i] = "-";
    }
    void name(std::size_t i, const std::wstring& text) { m_cells[i] = utf8(text); }
    const std::vector<std::string>& row() const { return m_cells; }

private:
    std::vector<std::string> m_cells;
};

std::string plural(std::size_t n, const char* word)
{
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// Two passes over the records: widths, then lines.
template <typename ForEach, typename Fill>
void writeTable(OutputBuffer& out, TextTable& table, std::size_t columns, ForEach forEach, Fill fill)
{
    Cells cells(columns);
    forEach([&](const auto& record) {
        fill(cells, record);
        table.measure(cells.row());
    });
    out << '\n';
    table.writeTitles(out);
    forEach([&](const auto& record) {
        fill(cells, record);
        table.writeRow(out, cells.row());
    });
}

void writePoints(OutputBuffer& out, const FileResult& file)
{
    TextTable table({{"Point", TextTable::Left},
                     {"Latitude", TextTable::Right},
                     {"Longitude", TextTable::Right},
                     {"Ell. height", TextTable::Right},
                     {"Elevation", TextTable::Right},
                     {"Line", TextTable::Right}});
    writeTable(
        out, table, 6, [&](auto each) { file.forEachPoint(each); },
        [](Cells& c, const host::ImportedPoint& p) {
            c.name(0, p.name);
            c.angle(1, p.latitude, true);
            c.angle(2, p.longitude, false);
            c.metres(3, p.ellipsoidalHeight);
            c.metres(4, p.elevation);
            c.line(5, p.line);
        });
}

void writeVectors(OutputBuffer& out, const FileResult& file)
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
        out, table, 12, [&](auto each) { file.forEachVector(each); },
        [](Cells& c, const host::ImportedVector& v) {
            c.name(0, v.origin);
            c.name(1, v.target);
            for (std::size_t i = 0; i < 8; ++i)
                c.metres(2 + i, v.values[i]);
            c.metres(10, vectorLength(v));
            c.line(11, v.line);
        });
}

} // namespace

void writeText(std::ostream& stream, const ImportResults& results)
{
    OutputBuffer out(stream);
    bool first = true;
    for (const auto& result : results) {
        const auto& file = result.data;
        if (!first)
            out << '\n';
        first = false;
        out.utf8(result.path);
        out << ": "
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
