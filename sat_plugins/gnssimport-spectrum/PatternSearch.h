// Compiled report patterns and searches bounded to the text a match can reach.
#pragma once

#include <boost/xpressive/xpressive_dynamic.hpp>

#include <locale>
#include <string>

namespace Spectrum {

using TextIter = std::wstring::const_iterator;
using CRegex = boost::xpressive::basic_regex<TextIter>;
using CMatch = boost::xpressive::match_results<TextIter>;
using CTraits = boost::xpressive::cpp_regex_traits<wchar_t>;

// A pattern compiled once with the locale of its parser.
class CCompiledPattern {
public:
    CCompiledPattern(const std::wstring& pattern, boost::xpressive::regex_constants::syntax_option_type flags,
                     const std::locale& locale);

    const CRegex& Regex() const { return m_regex; }

    // End of the part of [begin, end) that a match can reach. When every match
    // ends with one literal character, that is just after its last occurrence:
    // backtracking over the text after it is what makes long texts slow.
    TextIter Limit(TextIter begin, TextIter end) const;
    // Leftmost match in [begin, Limit(begin, end)).
    bool Search(TextIter begin, TextIter end, CMatch& match,
                boost::xpressive::regex_constants::match_flag_type flags =
                    boost::xpressive::regex_constants::match_default) const;

private:
    CRegex m_regex;
    wchar_t m_lastChar; // 0 when matches may end with anything
};

// The character every match of pattern ends with, or 0 when there is none or
// the pattern could reach the end of the text without consuming it ($,
// look-ahead, an alternative at the outer level).
wchar_t finalLiteral(const std::wstring& pattern);

// Case folding and white space as the compiled patterns see them.
class CTextClasses {
public:
    explicit CTextClasses(const std::locale& locale);

    bool IsSpace(wchar_t c) const { return m_traits.isctype(c, m_space); }
    wchar_t Fold(wchar_t c) const { return m_traits.translate_nocase(c); }

private:
    CTraits m_traits;
    CTraits::char_class_type m_space;
};

} // namespace Spectrum
