#include "TextTable.h"

#include "Text.h"

#include <algorithm>

namespace cli {

TextTable::TextTable(std::vector<Column> columns) : m_columns(std::move(columns))
{
    for (const auto& column : m_columns)
        m_widths.push_back(displayWidth(column.title));
}

void TextTable::add(std::vector<std::string> row)
{
    row.resize(m_columns.size());
    measure(row);
    m_rows.push_back(std::move(row));
}

void TextTable::measure(const std::vector<std::string>& row)
{
    for (std::size_t i = 0; i < row.size() && i < m_widths.size(); ++i)
        m_widths[i] = std::max(m_widths[i], displayWidth(row[i]));
}

void TextTable::writeRow(std::ostream& out, const std::vector<std::string>& cells, const std::string& indent) const
{
    std::string text = indent;
    for (std::size_t i = 0; i < cells.size() && i < m_widths.size(); ++i) {
        const std::string pad(m_widths[i] - std::min(m_widths[i], displayWidth(cells[i])), ' ');
        if (i > 0)
            text += "  ";
        text += m_columns[i].align == Right ? pad + cells[i] : cells[i] + pad;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
}

void TextTable::writeTitles(std::ostream& out, const std::string& indent) const
{
    std::vector<std::string> titles;
    for (const auto& column : m_columns)
        titles.push_back(column.title);
    writeRow(out, titles, indent);
}

void TextTable::write(std::ostream& out, const std::string& indent) const
{
    writeTitles(out, indent);
    for (const auto& row : m_rows)
        writeRow(out, row, indent);
}

} // namespace cli
