#include "DatText.h"

#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"

CDatText::CDatText() : m_isSpace(m_locale) {}

const std::wstring& CDatText::Trimmed(const std::wstring& s, std::wstring& out) const
{
    const strutils::TextRange text = Trimmed(strutils::TextRange{s.data(), s.data() + s.size()});
    strutils::assignRange(out, text.begin, text.end);
    return out;
}

std::size_t CDatText::RightTrimmedLength(const std::wstring& s) const
{
    std::size_t end = s.size();
    while (end > 0 && IsSpace(s[end - 1]))
        --end;
    return end;
}

bool CDatText::RightTrimmedEquals(const std::wstring& s, const wchar_t* text) const
{
    return s.compare(0, RightTrimmedLength(s), text) == 0;
}

void CDatText::SplitFields(const std::wstring& line, std::vector<strutils::TextRange>& fields) const
{
    static const std::wstring s_separator = L"*";
    strutils::splitInto(line.data(), line.data() + line.size(), s_separator, fields);
}

void CDatText::SplitBlanks(const std::wstring& line, std::vector<strutils::TextRange>& fields) const
{
    const strutils::TextRange text = Trimmed(strutils::TextRange{line.data(), line.data() + line.size()});
    fields.clear();
    const wchar_t* p = text.begin;
    do {
        const wchar_t* start = p;
        p = m_isSpace.SkipNonSpace(p, text.end);
        // The ends stored one by one: a whole range built on the stack
        // and copied in stalls on store forwarding.
        strutils::TextRange& field = fields.emplace_back();
        field.begin = start;
        field.end = p;
        while (p != text.end && IsSpace(*p))
            ++p;
    } while (p != text.end);
}

const std::wstring& CDatText::Field(const std::vector<strutils::TextRange>& fields, std::size_t i,
                                    std::wstring& out) const
{
    const strutils::TextRange field = Trimmed(fields.at(i));
    strutils::assignRange(out, field.begin, field.end);
    return out;
}

double CDatText::Number(const std::vector<strutils::TextRange>& fields, std::size_t i) const
{
    // The trimmed field read in place, without a copy.
    const strutils::TextRange field = Trimmed(fields.at(i));
    return Plugin::Utils::stringToDouble(field.begin, field.end);
}
