#include "Table.h"

#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"

#include <algorithm>
#include <locale>

namespace {

std::vector<std::wstring> splitLine(const std::wstring& line, const wchar_t* separators)
{
    std::vector<std::wstring> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find_first_of(separators, start);
        if (end == std::wstring::npos) {
            cells.push_back(line.substr(start));
            return cells;
        }
        cells.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

void underscoresToBlanks(std::wstring& text)
{
    std::replace(text.begin(), text.end(), L'_', L' ');
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
    for (std::wstring& name : columnName)
        underscoresToBlanks(name);
    for (auto& row : data)
        for (std::wstring& cell : row)
            underscoresToBlanks(cell);
}

void buildTableForFile(const std::wstring& path, const std::vector<std::wstring>& lines, CTable& table)
{
    const std::wstring extension = lowerExtension(path);
    if (extension == L".txt")
        table.BuildFromTabSeparatedLines(lines);
    else if (extension == L".csv")
        table.BuildFromCommaSeparatedLines(lines);
    else if (extension == L".prn")
        table.BuildFromSpaceSeparatedLines(lines);
}
