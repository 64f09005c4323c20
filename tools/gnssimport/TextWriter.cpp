#include "Writers.h"

#include "Geodesy.h"
#include "OutputBuffer.h"
#include "Text.h"
#include "TextTable.h"

#include <algorithm>

namespace cli {

namespace {

// The table cells of a record, filled in column order one after another
// into one text that each row reuses.
class Cells {
public:
    explicit Cells(std::size_t count) : m_ends(count), m_widths(count), m_row(count) {}

    void clear() { m_text.clear(); }
    void metres(std::size_t i, const std::optional<double>& value, int decimals = 4)
    {
        if (value)
            appendFixed(m_text, *value, decimals);
        else
            m_text += '-';
        ended(i);
    }
    void angle(std::size_t i, const std::optional<double>& radians, bool latitude)
    {
        m_text += radians ? dms(*radians, latitude) : "-";
        ended(i, displayWidth(std::string_view(m_text).substr(begin(i))));
    }
    void line(std::size_t i, int line)
    {
        m_text += line >= 0 ? std::to_string(line + 1) : "-";
        ended(i);
    }
    void name(std::size_t i, const std::wstring& text)
    {
        // Most names are ASCII: one byte and one column per character.
        if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0 && c < 0x80; })) {
            for (wchar_t c : text)
                m_text += static_cast<char>(c);
            return ended(i);
        }
        m_text += utf8(text);
        ended(i, displayWidth(std::string_view(m_text).substr(begin(i))));
    }
    // Valid until the next clear().
    const std::vector<TextTable::Cell>& row()
    {
        for (std::size_t i = 0; i < m_ends.size(); ++i)
            m_row[i] = {std::string_view(m_text).substr(begin(i), m_ends[i] - begin(i)), m_widths[i]};
        return m_row;
    }

private:
    std::size_t begin(std::size_t i) const { return i ? m_ends[i - 1] : 0; }
    // Cell i ends here; ASCII text unless its width is given.
    void ended(std::size_t i, std::optional<std::size_t> width = std::nullopt)
    {
        m_ends[i] = m_text.size();
        m_widths[i] = width ? *width : m_ends[i] - begin(i);
    }

    std::string m_text;
    std::vector<std::size_t> m_ends; // where each cell ends in m_text
    std::vector<std::size_t> m_widths;
    std::vector<TextTable::Cell> m_row;
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
        cells.clear();
        fill(cells, record);
        table.measure(cells.row());
    });
    out << '\n';
    table.writeTitles(out);
    forEach([&](const auto& record) {
        cells.clear();
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
