#include "Parser.h"

#include "Exceptions/Exceptions.h"
#include "PluginHelpers/TargetHelpers.h"

#include <stdexcept>

namespace {

const wchar_t* const s_synonymTitle = L"List of Synonyms for Long Names";
const wchar_t* const s_synonymEnd = L"End of List";
const wchar_t* const s_marker = L":::";
const std::size_t s_markerLength = 3;

} // namespace

CDatFileParser::CDatFileParser(Plugin::ISatImportTarget* target, std::size_t headerLines)
    : m_pImportTarget(target), m_headerLines(headerLines)
{
}

void CDatFileParser::ParseLines(ILineSource& lines)
{
    // A record short of a field, and an empty file without a line 0, reach
    // here as an index out of range.
    try {
        ParseContent(lines);
    } catch (const std::out_of_range&) {
        throw CParseException::InvalidFileFormat();
    }
}

void CDatFileParser::ParseContent(ILineSource& lines)
{
    std::wstring& line = m_line;
    if (!lines.NextLine(line))
        throw std::out_of_range("no line 0");
    // Trailing blanks are dropped before the marker tests: editors and
    // exporters leave them behind, and they must not turn into records.
    std::size_t read = 1; // lines read so far
    std::size_t start = 1 + m_headerLines;
    if (m_text.RightTrimmedEquals(line, s_synonymTitle)) {
        const std::size_t end = ParseSynonyms(lines);
        read = end + 1;
        start = end + 2 + m_headerLines;
        m_pImportTarget->SetCurrentLine(Plugin::Utils::lineNumber(start));
    } else if (!m_text.RightTrimmedEquals(line, s_marker)) {
        throw CParseException::InvalidFileFormat();
    }

    BeginData();
    // The lines before the data are skipped unread.
    for (; read < start && lines.NextLine(line); ++read) {
    }
    for (std::size_t i = start; read == start && lines.NextLine(line); ++i) {
        // Blank lines and markers are skipped: the trailing blanks are
        // found once for both tests.
        const std::size_t length = m_text.RightTrimmedLength(line);
        if (length != 0 && !(length == s_markerLength && line.compare(0, length, s_marker) == 0)) {
            ParseRecord(line);
            m_somethingParsed = true;
        }
        m_pImportTarget->SetCurrentLine(Plugin::Utils::lineNumber(i + 1));
    }
}

std::size_t CDatFileParser::ParseSynonyms(ILineSource& lines)
{
    m_pImportTarget->SetCurrentLine(1);
    std::wstring& line = m_line;
    std::wstring entry;
    std::size_t i = 1;
    for (; lines.NextLine(line) && line != s_synonymEnd; ++i) {
        m_text.Trimmed(line, entry);
        const std::size_t blank = entry.find(L' ');
        if (blank == std::wstring::npos)
            throw CParseException::InvalidFileFormat();
        m_synonyms.Set(entry.substr(0, blank), entry.substr(blank + 1));
        m_pImportTarget->SetCurrentLine(Plugin::Utils::lineNumber(i + 1));
    }
    // A file of the title line alone counts as a block ending at line 1;
    // an unclosed block, as one ending at the line count.
    return i;
}

const wchar_t* CDatFileParser::StationName(const std::vector<strutils::TextRange>& fields, std::size_t i,
                                           std::wstring& name) const
{
    m_text.Field(fields, i, name);
    const wchar_t* longName = m_synonyms.Find(name);
    return longName ? longName : name.c_str();
}
