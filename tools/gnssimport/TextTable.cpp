#include "TextTable.h"

#include "Text.h"

#include <algorithm>

namespace cli {

TextTable::TextTable(std::vector<Column> columns) : m_columns(std::move(columns))
{
    for (const auto& column : m_columns)
        m_widths.push_back(displayWidth(column.title));
}

namespace {

std::vector<TextTable::Cell> cells(const std::vector<std::string>& row)
{
    std::vector<TextTable::Cell> cells;
    for (const auto& text : row)
        cells.push_back({text, displayWidth(text)});
    return cells;
}

} // namespace

void TextTable::add(std::vector<std::string> row)
{
    row.resize(m_columns.size());
    measure(cells(row));
    m_rows.push_back(std::move(row));
}

void TextTable::measure(const std::vector<Cell>& row)
{
    for (std::size_t i = 0; i < row.size() && i < m_widths.size(); ++i)
        m_widths[i] = std::max(m_widths[i], row[i].width);
}

void TextTable::writeRow(OutputBuffer& out, const std::vector<Cell>& cells, std::string_view indent) const
{
    static const std::string blanks(256, ' ');
    // Blanks are held back until text follows them, so that lines carry no
    // trailing blanks.
    std::size_t pending = 0;
    auto text = [&](std::string_view cell) {
        const std::size_t end = cell.find_last_not_of(' ') + 1; // 0 when all blank
        if (end > 0) {
            for (; pending > 0; pending -= std::min(pending, blanks.size()))
                out << std::string_view(blanks.data(), std::min(pending, blanks.size()));
            out << cell.substr(0, end);
        }
        pending += cell.size() - end;
    };
    text(indent);
    for (std::size_t i = 0; i < cells.size() && i < m_widths.size(); ++i) {
        const std::size_t pad = m_widths[i] - std::min(m_widths[i], cells[i].width);
        pending += i > 0 ? 2 : 0;
        if (m_columns[i].align == Right)
            pending += pad;
        text(cells[i].text);
        if (m_columns[i].align == Left)
            pending += pad;
    }
    out << '\n';
}

void TextTable::writeTitles(OutputBuffer& out, std::string_view indent) const
{
    std::vector<Cell> titles;
    for (const auto& column : m_columns)
        titles.push_back({column.title, displayWidth(column.title)});
    writeRow(out, titles, indent);
}

void TextTable::write(std::ostream& stream, const std::string& indent) const
{
    OutputBuffer out(stream);
    writeTitles(out, indent);
    for (const auto& row : m_rows)
        writeRow(out, cells(row), indent);
}

} // namespace cli
