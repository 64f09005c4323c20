#include "Parser.h"

#include "DatText.h"
#include "Exceptions/Exceptions.h"

#include <climits>
#include <stdexcept>

namespace {

const wchar_t* const s_synonymTitle = L"List of Synonyms for Long Names";
const wchar_t* const s_synonymEnd = L"End of List";
const wchar_t* const s_marker = L":::";

int lineNumber(std::size_t index)
{
    return index < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(index) : INT_MAX;
}

} // namespace

CDatFileParser::CDatFileParser(Plugin::ISatImportTarget* target, std::size_t headerLines)
    : m_pImportTarget(target), m_headerLines(headerLines)
{
}

void CDatFileParser::ParseLines(const std::vector<std::wstring>& lines)
{
    // A record short of a field, and an empty file without a line 0, reach
    // here as an index out of range.
    try {
        ParseContent(lines);
    } catch (const std::out_of_range&) {
        throw CParseException::InvalidFileFormat();
    }
}

void CDatFileParser::ParseContent(const std::vector<std::wstring>& lines)
{
    // Trailing blanks are dropped before the marker tests: editors and
    // exporters leave them behind, and they must not turn into records.
    const std::wstring first = DatText::rightTrimmed(lines.at(0));
    std::size_t start = 1 + m_headerLines;
    if (first == s_synonymTitle) {
        start = ParseSynonyms(lines) + 2 + m_headerLines;
        m_pImportTarget->SetCurrentLine(lineNumber(start));
    } else if (first != s_marker) {
        throw CParseException::InvalidFileFormat();
    }

    BeginData();
    for (std::size_t i = start; i < lines.size(); ++i) {
        const std::wstring line = DatText::rightTrimmed(lines[i]);
        if (!line.empty() && line != s_marker) {
            ParseRecord(lines[i]);
            m_somethingParsed = true;
        }
        m_pImportTarget->SetCurrentLine(lineNumber(i + 1));
    }
}

std::size_t CDatFileParser::ParseSynonyms(const std::vector<std::wstring>& lines)
{
    m_pImportTarget->SetCurrentLine(1);
    std::size_t i = 1;
    for (; i < lines.size() && lines[i] != s_synonymEnd; ++i) {
        const std::wstring entry = DatText::trimmed(lines[i]);
        const std::size_t blank = entry.find(L' ');
        if (blank == std::wstring::npos)
            throw CParseException::InvalidFileFormat();
        m_synonyms[entry.substr(0, blank)] = entry.substr(blank + 1);
        m_pImportTarget->SetCurrentLine(lineNumber(i + 1));
    }
    // A file of the title line alone counts as a block ending at line 1.
    return i;
}

std::wstring CDatFileParser::StationName(const std::vector<std::wstring>& fields, std::size_t i) const
{
    const std::wstring name = DatText::field(fields, i);
    const auto synonym = m_synonyms.find(name);
    return synonym != m_synonyms.end() ? synonym->second : name;
}
