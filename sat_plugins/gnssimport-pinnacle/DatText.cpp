#include "DatText.h"

#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"

CDatText::CDatText() : m_ctype(&std::use_facet<std::ctype<wchar_t>>(m_locale))
{
    for (wchar_t c = 0; c < 128; ++c)
        m_asciiSpace[c] = m_ctype->is(std::ctype_base::space, c);
}

const std::wstring& CDatText::Trimmed(const std::wstring& s, std::wstring& out) const
{
    const wchar_t* begin = s.data();
    const wchar_t* end = begin + s.size();
    while (begin != end && IsSpace(*begin))
        ++begin;
    while (end != begin && IsSpace(end[-1]))
        --end;
    out.assign(begin, end);
    return out;
}

bool CDatText::RightTrimmedEquals(const std::wstring& s, const wchar_t* text) const
{
    std::size_t end = s.size();
    while (end > 0 && IsSpace(s[end - 1]))
        --end;
    return s.compare(0, end, text) == 0;
}

void CDatText::SplitFields(const std::wstring& line, std::vector<std::wstring>& fields) const
{
    strutils::splitInto(line, L'*', fields);
}

void CDatText::SplitBlanks(const std::wstring& line, std::vector<std::wstring>& fields) const
{
    const wchar_t* p = line.data();
    const wchar_t* end = p + line.size();
    while (p != end && IsSpace(*p))
        ++p;
    while (end != p && IsSpace(end[-1]))
        --end;
    std::size_t n = 0;
    do {
        const wchar_t* start = p;
        while (p != end && !IsSpace(*p))
            ++p;
        if (n < fields.size())
            fields[n].assign(start, p);
        else
            fields.emplace_back(start, p);
        ++n;
        while (p != end && IsSpace(*p))
            ++p;
    } while (p != end);
    fields.resize(n);
}

const std::wstring& CDatText::Field(const std::vector<std::wstring>& fields, std::size_t i, std::wstring& out) const
{
    return Trimmed(fields.at(i), out);
}

double CDatText::Number(const std::vector<std::wstring>& fields, std::size_t i) const
{
    // The trimmed field read in place, without a copy.
    const std::wstring& field = fields.at(i);
    const wchar_t* begin = field.data();
    const wchar_t* end = begin + field.size();
    while (begin != end && IsSpace(*begin))
        ++begin;
    while (end != begin && IsSpace(end[-1]))
        --end;
    return Plugin::Utils::stringToDouble(begin, end);
}
