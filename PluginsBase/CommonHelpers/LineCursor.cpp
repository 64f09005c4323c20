#include "LineCursor.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Plugin {

void LineCursor::reset(const std::string& bytes)
{
    m_begin = m_pos = bytes.data();
    m_end = m_begin + bytes.size();
}

const char* LineCursor::nextTerminator() const
{
    const char* p = m_pos;
#if defined(__SSE2__)
    // Both terminators looked for together, sixteen bytes at a time: lines
    // are short, and two searches of the library would each pay their call.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; m_end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
    }
#endif
    for (; p != m_end; ++p)
        if (*p == '\r' || *p == '\n')
            return p;
    return m_end;
}

bool LineCursor::next(const char*& begin, std::size_t& size)
{
    if (m_pos >= m_end)
        return false;
    const char* stop = nextTerminator();
    begin = m_pos;
    size = static_cast<std::size_t>(stop - m_pos);
    if (stop == m_end)
        m_pos = m_end;
    else if (*stop == '\r' && stop + 1 < m_end && stop[1] == '\n')
        m_pos = stop + 2;
    else
        m_pos = stop + 1;
    return true;
}

std::size_t countLines(const std::string& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    if (n == 0)
        return 0;
    // Every LF ends a line, and every CR not followed by LF. The last byte
    // either ends a line or belongs to an unterminated last one: one more.
    // Counted in blocks of 255 bytes into a byte, which vectorises well.
    std::size_t lines = 1;
    for (std::size_t i = 0; i + 1 < n;) {
        const std::size_t block = std::min<std::size_t>(255, n - 1 - i);
        const unsigned char* q = p + i;
        unsigned char count = 0;
        for (std::size_t k = 0; k < block; ++k)
            count = static_cast<unsigned char>(count + ((q[k] == '\n') | ((q[k] == '\r') & (q[k + 1] != '\n'))));
        lines += count;
        i += block;
    }
    return lines;
}

} // namespace Plugin
