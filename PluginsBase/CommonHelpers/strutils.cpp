#include "strutils.h"

#include <gnssimport/text/Utf8.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include <cwchar>
#include <stdexcept>
#include <vector>

namespace strutils {

std::string toUtf8(const std::wstring& s) { return text::toUtf8(s, text::OnInvalid::Throw); }

std::wstring fromUtf8(const std::string& s) { return text::fromUtf8(s, text::WideForm::Utf16, text::OnInvalid::Throw); }

std::wstring fromLocal8Bit(const std::string& bytes)
{
    std::wstring out;
    fromLocal8Bit(bytes.data(), bytes.size(), out);
    return out;
}

void fromLocal8Bit(const char* bytes, std::size_t size, std::wstring& out)
{
    out.clear();
    if (out.capacity() < size) // reserve() below the capacity would reallocate
        out.reserve(size);
    std::mbstate_t state{};
    const char* p = bytes;
    std::size_t left = size;
    while (left > 0) {
        wchar_t wc = 0;
        const std::size_t n = std::mbrtowc(&wc, p, left, &state);
        if (n == 0 || n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2))
            break; // NUL, invalid or incomplete sequence: the text ends here
        out += wc;
        p += n;
        left -= n;
    }
}

std::istream& safeGetline(std::istream& is, std::string& line)
{
    line.clear();
    std::istream::sentry se(is, true);
    std::streambuf* sb = is.rdbuf();
    if (!se || !sb)
        return is;
    for (;;) {
        const int c = sb->sbumpc();
        switch (c) {
        case '\n':
            return is;
        case '\r':
            if (sb->sgetc() == '\n')
                sb->sbumpc();
            return is;
        case std::streambuf::traits_type::eof():
            // A partial last line is a line; only an empty one ends the stream.
            if (line.empty())
                is.setstate(std::ios::eofbit | std::ios::failbit);
            return is;
        default:
            line += static_cast<char>(c);
        }
    }
}

bool nextLine(const std::string& data, std::size_t& pos, std::string& line)
{
    const std::size_t size = data.size();
    if (pos >= size) {
        line.clear();
        return false;
    }
    const char* begin = data.data() + pos;
    const char* end = data.data() + size;
    const char* p = begin;
    while (p < end && *p != '\n' && *p != '\r')
        ++p;
    line.assign(begin, p);
    if (p < end) {
        if (*p == '\r' && p + 1 < end && p[1] == '\n')
            ++p;
        ++p;
    }
    pos = static_cast<std::size_t>(p - data.data());
    return true;
}

namespace {

// The end of the field that starts at from: its separator, or end.
const wchar_t* fieldEnd(const wchar_t* from, const wchar_t* end, const std::wstring& separators)
{
    for (; from != end; ++from)
        if (separators.find(*from) != std::wstring::npos)
            return from;
    return end;
}

// The state of a split at one separator: the fields found so far and where
// the next one starts. The vector steps find separators in blocks, the
// character steps the rest; both hand them to the same field callable.
template <class Field>
struct SplitState {
    Field& field;
    const wchar_t* start;
    std::size_t n = 0;

    void separatorAt(const wchar_t* stop)
    {
        field(n++, start, stop);
        start = stop + 1;
    }
    // The separators of the block at p, one bit each, lowest first.
    void separatorsIn(const wchar_t* p, unsigned mask)
    {
        for (; mask != 0; mask &= mask - 1)
            separatorAt(p + __builtin_ctz(mask));
    }
    // The characters from p to end one by one, then the last field.
    std::size_t finish(const wchar_t* p, const wchar_t* const end, wchar_t separator)
    {
        for (; p != end; ++p)
            if (*p == separator)
                separatorAt(p);
        field(n++, start, end);
        return n;
    }
};

// Calls field(n, begin, end) for each field of [begin, end) between single
// separators; returns their number. Four characters are compared at a time
// and every separator among them taken from the mask, so that short fields
// cost no loop of their own.
template <class Field>
std::size_t splitAt(const wchar_t* p, const wchar_t* const end, wchar_t separator, Field& field)
{
    SplitState<Field> state{field, p};
#if defined(__SSE2__)
    static_assert(sizeof(wchar_t) == 4, "four wide characters to a vector");
    const __m128i wanted = _mm_set1_epi32(static_cast<int>(separator));
    for (; end - p >= 4; p += 4) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i found = _mm_cmpeq_epi32(chars, wanted);
        state.separatorsIn(p, static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(found))));
    }
#endif
    return state.finish(p, end, separator);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define GNSSIMPORT_SPLIT_AVX2 1
// The same eight characters at a time, on processors that have AVX2.
template <class Field>
__attribute__((target("avx2"))) std::size_t splitAtAvx2(const wchar_t* p, const wchar_t* const end,
                                                        wchar_t separator, Field& field)
{
    SplitState<Field> state{field, p};
    const __m256i wanted = _mm256_set1_epi32(static_cast<int>(separator));
    for (; end - p >= 8; p += 8) {
        const __m256i chars = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i found = _mm256_cmpeq_epi32(chars, wanted);
        state.separatorsIn(p, static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(found))));
    }
    return state.finish(p, end, separator);
}

bool hasAvx2()
{
    static const bool s_avx2 = __builtin_cpu_supports("avx2");
    return s_avx2;
}
#endif

// Calls field(n, begin, end) for each field of [begin, end); returns their number.
template <class Field>
std::size_t splitWith(const wchar_t* begin, const wchar_t* const end, const std::wstring& separators, Field field)
{
    if (separators.size() == 1) {
#if defined(GNSSIMPORT_SPLIT_AVX2)
        if (hasAvx2())
            return splitAtAvx2(begin, end, separators[0], field);
#endif
        return splitAt(begin, end, separators[0], field);
    }
    std::size_t n = 0;
    for (;;) {
        const wchar_t* stop = fieldEnd(begin, end, separators);
        field(n++, begin, stop);
        if (stop == end)
            return n;
        begin = stop + 1;
    }
}

} // namespace

void splitInto(const std::wstring& text, wchar_t separator, std::vector<std::wstring>& fields)
{
    splitInto(text, std::wstring(1, separator), fields);
}

void splitInto(const std::wstring& text, const std::wstring& separators, std::vector<std::wstring>& fields)
{
    const std::size_t n =
        splitWith(text.data(), text.data() + text.size(), separators, [&](std::size_t i, const wchar_t* b, const wchar_t* e) {
            if (i < fields.size())
                fields[i].assign(b, e);
            else
                fields.emplace_back(b, e);
        });
    fields.resize(n);
}

void splitInto(const wchar_t* begin, const wchar_t* end, const std::wstring& separators,
               std::vector<TextRange>& fields)
{
    fields.clear();
    // The two ends are stored one by one: a range built on the stack and
    // copied in as one 16-byte value stalls on store forwarding each field.
    splitWith(begin, end, separators, [&](std::size_t, const wchar_t* b, const wchar_t* e) {
        TextRange& field = fields.emplace_back();
        field.begin = b;
        field.end = e;
    });
}

namespace detail {

void splitIntoBaseline(const wchar_t* begin, const wchar_t* end, wchar_t separator, std::vector<TextRange>& fields)
{
    fields.clear();
    auto field = [&](std::size_t, const wchar_t* b, const wchar_t* e) {
        TextRange& range = fields.emplace_back();
        range.begin = b;
        range.end = e;
    };
    splitAt(begin, end, separator, field);
}

} // namespace detail

std::wstring format1(const std::wstring& format, const std::wstring& arg)
{
    std::wstring out = format;
    const std::size_t at = out.find(L"%ls");
    if (at != std::wstring::npos)
        out.replace(at, 3, arg);
    return out;
}

void str_copy_n(const wchar_t* src, std::size_t n, wchar_t* dst)
{
    std::wmemcpy(dst, src, n);
    dst[n] = L'\0';
}

} // namespace strutils
