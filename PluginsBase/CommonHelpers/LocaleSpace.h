// White space as a locale's ctype facet classes it. The facet's answers for
// ASCII are asked once: parsers test the characters at both ends of every
// field, and a virtual call for each was a measurable share of an import.
#pragma once

#include "strutils.h"

#include <locale>

namespace strutils {

class LocaleSpace {
public:
    // locale must outlive this object.
    explicit LocaleSpace(const std::locale& locale) : m_ctype(&std::use_facet<std::ctype<wchar_t>>(locale))
    {
        for (wchar_t c = 0; c < 128; ++c)
            m_ascii[c] = m_ctype->is(std::ctype_base::space, c);
    }

    bool operator()(wchar_t c) const
    {
        return c >= 0 && c < 128 ? m_ascii[c] : m_ctype->is(std::ctype_base::space, c);
    }

    // field without leading and trailing white space.
    TextRange Trimmed(TextRange field) const
    {
        while (field.begin != field.end && (*this)(*field.begin))
            ++field.begin;
        while (field.end != field.begin && (*this)(field.end[-1]))
            --field.end;
        return field;
    }

private:
    const std::ctype<wchar_t>* m_ctype;
    bool m_ascii[128];
};

} // namespace strutils
