// The ellipsoidal height of a station, taken from its own "Z:" line only.
//
// The height pattern is "Z:", white space, a first word, white space, "Hgt:"
// and the value. Run as a whole from the "Z:" line it backtracks over every
// white space run before "Hgt:", which is quadratic in the length of the
// line. Its result is fixed by which "Hgt:" it settles on, so that choice is
// made here the way the pattern's backtracking makes it, and only the part
// from "Hgt:" on is matched as a pattern.
#include "Parser.h"

#include "Patterns.h"

#include <algorithm>

using Spectrum::TextIter;
using namespace Spectrum::Patterns;

TextIter CParser::FindWord(TextIter from, TextIter to, const std::wstring& word) const
{
    const auto size = static_cast<std::ptrdiff_t>(word.size());
    for (; to - from >= size; ++from) {
        std::ptrdiff_t i = 0;
        while (i < size && m_classes.Fold(from[i]) == m_classes.Fold(word[static_cast<std::size_t>(i)]))
            ++i;
        if (i == size)
            return from;
    }
    return to;
}

bool CParser::FindHeight(TextIter line, TextIter end, std::wstring& height)
{
    const auto labelSize = static_cast<std::ptrdiff_t>(s_heightLine.size());
    if (end - line <= labelSize || FindWord(line, line + labelSize, s_heightLine) != line ||
        !m_classes.IsSpace(line[labelSize]))
        return false;
    const TextIter lineEnd = std::find(line, end, L'\n');
    TextIter word = line + labelSize; // the first word after the label's white space
    while (word != end && m_classes.IsSpace(*word))
        ++word;
    if (word == end)
        return false;

    const Spectrum::CCompiledPattern& value = Compiled(s_heightValue);
    const TextIter limit = value.Limit(line, end);
    auto valueAt = [&](TextIter label) {
        return label < limit && boost::xpressive::regex_search(label, limit, m_match, value.Regex(),
                                                               boost::xpressive::regex_constants::match_continuous);
    };
    const std::wstring& label = s_heightLabel;
    auto next = [&](TextIter from, TextIter to) { return from < to ? FindWord(from, to, label) : to; };
    auto labelAt = [&](TextIter at) {
        const auto size = static_cast<std::ptrdiff_t>(label.size());
        return end - at >= size && FindWord(at, at + size, label) == at;
    };

    // With all the label's white space taken, the pattern tries each "Hgt:"
    // that follows white space after the first word, in text order.
    const TextIter first = lineEnd - word > 2 ? word + 2 : lineEnd;
    for (TextIter at = next(first, lineEnd); at != lineEnd; at = next(at + 1, lineEnd)) {
        if (m_classes.IsSpace(at[-1]) && valueAt(at)) {
            height = m_match[1].str();
            return true;
        }
    }
    // A "Hgt:" that is itself the first word is reached only by leaving two or
    // more white space characters of the label to the first word, which the
    // pattern tries only after every later "Hgt:" of the text has failed.
    if (word >= lineEnd || word - (line + labelSize) < 3 || !labelAt(word) || !valueAt(word))
        return false;
    std::wstring found = m_match[1].str();
    for (TextIter at = next(lineEnd, end); at != end; at = next(at + 1, end)) {
        if (m_classes.IsSpace(at[-1]) && valueAt(at))
            return false;
    }
    height = found;
    return true;
}
