#include "TextTable.h"

#include "Text.h"

#include <algorithm>

namespace cli {

TextTable::TextTable(std::vector<Column> columns) : m_columns(std::move(columns)) {}

void TextTable::add(std::vector<std::string> row)
{
    row.resize(m_columns.size());
    m_rows.push_back(std::move(row));
}

void TextTable::write(std::ostream& out, const std::string& indent) const
{
    std::vector<std::size_t> widths;
    for (const auto& column : m_columns)
        widths.push_back(displayWidth(column.title));
    for (const auto& row : m_rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(row[i]));

    auto line = [&](const std::vector<std::string>& cells) {
        std::string text = indent;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string pad(widths[i] - displayWidth(cells[i]), ' ');
            if (i > 0)
                text += "  ";
            text += m_columns[i].align == Right ? pad + cells[i] : cells[i] + pad;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << '\n';
    };
    std::vector<std::string> titles;
    for (const auto& column : m_columns)
        titles.push_back(column.title);
    line(titles);
    for (const auto& row : m_rows)
        line(row);
}

} // namespace cli
