#include "PatternSearch.h"

#include <algorithm>
#include <iterator>

namespace Spectrum {

namespace xp = boost::xpressive;

wchar_t finalLiteral(const std::wstring& pattern)
{
    static const std::wstring s_anchors = L"bBzZAG<>";
    int depth = 0;
    bool inClass = false;
    wchar_t lastEscape = 0; // the escaped character when the last token was an escape
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c == L'\\') {
            if (++i == pattern.size())
                return 0;
            if (s_anchors.find(pattern[i]) != std::wstring::npos)
                return 0;
            lastEscape = inClass ? 0 : pattern[i];
            continue;
        }
        lastEscape = 0;
        if (inClass) {
            inClass = c != L']';
        } else if (c == L'[') {
            inClass = true;
        } else if (c == L'(') {
            if (pattern.compare(i, 3, L"(?=") == 0 || pattern.compare(i, 3, L"(?!") == 0 ||
                pattern.compare(i, 3, L"(?<") == 0)
                return 0;
            ++depth;
        } else if (c == L')') {
            --depth;
        } else if (c == L'$' || (c == L'|' && depth == 0)) {
            return 0;
        }
    }
    if (inClass || depth != 0)
        return 0;
    static const std::wstring s_punctuation = L"()[]{}.*+?^$|\\/-:;,&#'\"";
    if (lastEscape == L'n')
        return L'\n';
    return s_punctuation.find(lastEscape) != std::wstring::npos ? lastEscape : 0;
}

CCompiledPattern::CCompiledPattern(const std::wstring& pattern, xp::regex_constants::syntax_option_type flags,
                                   const std::locale& locale)
    : m_lastChar(finalLiteral(pattern))
{
    xp::regex_compiler<TextIter> compiler;
    compiler.imbue(locale);
    m_regex = compiler.compile(pattern, flags);
}

TextIter CCompiledPattern::Limit(TextIter begin, TextIter end) const
{
    if (!m_lastChar)
        return end;
    const auto last = std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(begin), m_lastChar);
    return last.base();
}

bool CCompiledPattern::Search(TextIter begin, TextIter end, CMatch& match,
                              xp::regex_constants::match_flag_type flags) const
{
    const TextIter limit = Limit(begin, end);
    if (m_lastChar && limit == begin)
        return false; // the character every match ends with is absent
    return xp::regex_search(begin, limit, match, m_regex, flags);
}

CTextClasses::CTextClasses(const std::locale& locale) : m_traits(locale)
{
    static const wchar_t s_spaceClass[] = L"s";
    m_space = m_traits.lookup_classname(s_spaceClass, s_spaceClass + 1, false);
}

} // namespace Spectrum
