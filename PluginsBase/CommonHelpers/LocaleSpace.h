// White space as a locale's ctype facet classes it. The facet's answers for
// ASCII are asked once: parsers test the characters at both ends of every
// field, and a virtual call for each was a measurable share of an import.
#pragma once

#include "strutils.h"

#include <climits>
#include <locale>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace strutils {

class LocaleSpace {
public:
    // locale must outlive this object.
    explicit LocaleSpace(const std::locale& locale) : m_ctype(&std::use_facet<std::ctype<wchar_t>>(locale))
    {
        for (wchar_t c = 0; c < 128; ++c) {
            m_ascii[c] = m_ctype->is(std::ctype_base::space, c);
            m_printableNeverSpace = m_printableNeverSpace && !(c > L' ' && m_ascii[c]);
        }
    }

    bool operator()(wchar_t c) const
    {
        return c >= 0 && c < 128 ? m_ascii[c] : m_ctype->is(std::ctype_base::space, c);
    }

    // The first white space character in [p, end), or end. Runs of visible
    // ASCII are passed four characters at a time when the locale has no
    // white space among them (none that glibc knows has).
    const wchar_t* SkipNonSpace(const wchar_t* p, const wchar_t* end) const
    {
#if defined(__SSE2__)
        static_assert(sizeof(wchar_t) == 4, "four wide characters to a vector");
        if (m_printableNeverSpace) {
            // c - 33 below 95 (unsigned): compared as signed with the sign bit
            // flipped, c - 33 + 2^31 being c + 2^31 - 33 modulo 2^32.
            const __m128i offset = _mm_set1_epi32(INT32_MAX - 32);
            const __m128i bound = _mm_set1_epi32(INT32_MIN + 95);
            for (; end - p >= 4; p += 4) {
                const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const __m128i visible = _mm_cmplt_epi32(_mm_add_epi32(chars, offset), bound);
                if (_mm_movemask_ps(_mm_castsi128_ps(visible)) != 0xF)
                    break;
            }
        }
#endif
        while (p != end && !(*this)(*p))
            ++p;
        return p;
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
    bool m_printableNeverSpace = true; // no character from "!" to DEL is white space
};

} // namespace strutils
