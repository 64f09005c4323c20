#include "Table.h"

#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"

#include <algorithm>
#include <locale>
#include <stdexcept>

namespace {

std::vector<std::wstring> splitLine(const std::wstring& line, const wchar_t* separators)
{
    std::vector<std::wstring> cells;
    strutils::splitInto(line, separators, cells);
    return cells;
}

void underscoresToBlanks(std::wstring& text)
{
    std::replace(text.begin(), text.end(), L'_', L' ');
}

void underscoresToBlanks(std::vector<std::wstring>& cells)
{
    for (std::wstring& cell : cells)
        underscoresToBlanks(cell);
}

// The extension as std::filesystem sees it (".txt" alone has none), lowered
// by the global locale.
std::wstring lowerExtension(const std::wstring& path)
{
    std::wstring extension = strutils::fromUtf8(Plugin::toPath(path).extension().string());
    const std::locale locale;
    for (wchar_t& c : extension)
        c = std::tolower(c, locale);
    return extension;
}

} // namespace

void CTable::BuildFromSeparatedLines(const std::vector<std::wstring>& lines, const wchar_t* separators)
{
    columnName = splitLine(lines.at(0), separators);
    for (std::size_t i = 1; i < lines.size(); ++i)
        data.push_back(splitLine(lines[i], separators));
}

void CTable::BuildFromTabSeparatedLines(const std::vector<std::wstring>& lines)
{
    BuildFromSeparatedLines(lines, L"\t");
}

void CTable::BuildFromCommaSeparatedLines(const std::vector<std::wstring>& lines)
{
    BuildFromSeparatedLines(lines, L",");
}

void CTable::BuildFromSpaceSeparatedLines(const std::vector<std::wstring>& lines)
{
    BuildFromSeparatedLines(lines, L" ");
    underscoresToBlanks(columnName);
    for (auto& row : data)
        underscoresToBlanks(row);
}

CTableFile::CTableFile(const std::wstring& path, Plugin::FileReader& reader) : m_reader(reader)
{
    const std::wstring extension = lowerExtension(path);
    if (extension == L".txt") {
        m_separators = L"\t";
    } else if (extension == L".csv") {
        m_separators = L",";
    } else if (extension == L".prn") {
        m_separators = L" ";
        m_underscoresToBlanks = true;
    } else {
        return;
    }
    m_separatorText = m_separators;
    const std::size_t lines = m_reader.lineCount();
    if (!m_reader.readLine(m_line))
        throw std::out_of_range("a table without a header line");
    m_rows = lines - 1;
    strutils::splitInto(m_line, m_separators, m_columnName);
    if (m_underscoresToBlanks)
        underscoresToBlanks(m_columnName);
}

bool CTableFile::NextRow(std::vector<strutils::TextRange>& row)
{
    if (!m_separators || !m_reader.readLine(m_line))
        return false;
    strutils::splitInto(m_line.data(), m_line.data() + m_line.size(), m_separatorText, row);
    // Separators stay where they are, so the pieces keep their bounds.
    if (m_underscoresToBlanks)
        underscoresToBlanks(m_line);
    return true;
}

bool CTableFile::NextRow(std::vector<std::wstring>& row)
{
    if (!m_separators || !m_reader.readLine(m_line))
        return false;
    strutils::splitInto(m_line, m_separators, row);
    if (m_underscoresToBlanks)
        underscoresToBlanks(row);
    return true;
}
