#include "Utils.h"

#include "strutils.h"

#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cfenv>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Plugin {

std::filesystem::path toPath(const std::wstring& s)
{
    return std::filesystem::path(strutils::toUtf8(s));
}

namespace Utils {

namespace {

// Longer numbers, and exponents of more digits, go the C library's way.
const std::size_t s_maxPlainLength = 64;
const int s_maxExponentDigits = 4;
// Integers up to 2^53 are exact doubles.
const std::uint64_t s_exactMantissa = std::uint64_t(1) << 53;

bool isDigit(wchar_t c) { return static_cast<std::uint32_t>(c - L'0') < 10; }

// The rounding mode the C library's conversion follows is round to nearest.
// On x86-64 that is the x87 control word fegetround reads, read here without
// the cost of a call.
bool roundsToNearest()
{
#if defined(__x86_64__) && defined(__GNUC__)
    unsigned short control = 0;
    __asm__("fnstcw %0" : "=m"(control));
    return (control & 0x0C00) == 0;
#else
    return std::fegetround() == FE_TONEAREST;
#endif
}

// The first character of the current locale's decimal point.
wchar_t decimalMark()
{
    const char* point = nl_langinfo(RADIXCHAR);
    return (point && *point) ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
}

// The number at the start of a text that std::stod would read after the
// decimal marks are made the locale's: blanks and tabs, [sign] digits
// [mark digits] [e [sign] digits], also as digits times a power of ten.
struct PlainNumber {
    const wchar_t* begin = nullptr; // the sign or first digit
    const wchar_t* end = nullptr;   // after the last character of the number
    bool negative = false;
    bool nonZero = false;           // a digit other than 0 in the mantissa
    std::uint64_t mantissa = 0;     // the digits as one integer
    bool mantissaExact = false;     // mantissa holds all digits and is an exact double
    int power = 0;                  // of ten, by which the mantissa is multiplied
};

// False for anything but the form above (other white space, hexadecimal,
// infinity, NaN, no digit, very long exponents), which the C library then
// reads itself.
bool readPlainNumber(const wchar_t* p, const wchar_t* end, PlainNumber& n)
{
    while (p != end && (*p == L' ' || *p == L'\t'))
        ++p;
    n.begin = p;
    if (p != end && (*p == L'-' || *p == L'+')) {
        n.negative = *p == L'-';
        ++p;
    }
    if (p != end && *p == L'0' && p + 1 != end && (p[1] == L'x' || p[1] == L'X'))
        return false;
    // Integer and fraction digits into one integer, which is exact while
    // there are at most 19 of them. Locals keep the loops tight.
    std::uint64_t mantissa = 0;
    const wchar_t* const integerStart = p;
    for (; p != end && isDigit(*p); ++p)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - L'0');
    const wchar_t* const integerEnd = p;
    const wchar_t* fractionStart = p;
    if (p != end && (*p == L'.' || *p == L',')) {
        fractionStart = ++p;
        for (; p != end && isDigit(*p); ++p)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - L'0'); // wraps past 19 digits, then unused
    }
    const auto integerDigits = integerEnd - integerStart;
    const auto fractionDigits = p - fractionStart;
    const auto digits = integerDigits + fractionDigits;
    if (digits == 0)
        return false;
    n.mantissaExact = digits <= 19 && mantissa <= s_exactMantissa;
    n.mantissa = mantissa;
    n.power = -static_cast<int>(fractionDigits);
    if (digits <= 19) {
        n.nonZero = mantissa != 0;
    } else {
        auto nonZeroIn = [](const wchar_t* b, const wchar_t* e) {
            return std::find_if(b, e, [](wchar_t c) { return c != L'0'; }) != e;
        };
        n.nonZero = nonZeroIn(integerStart, integerEnd) || nonZeroIn(fractionStart, p);
    }
    if (p != end && (*p == L'e' || *p == L'E')) {
        const wchar_t* q = p + 1;
        const bool negative = q != end && *q == L'-';
        if (q != end && (*q == L'-' || *q == L'+'))
            ++q;
        if (q != end && isDigit(*q)) {
            int exponent = 0;
            for (int digitsRead = 0; q != end && isDigit(*q); ++q, ++digitsRead) {
                if (digitsRead == s_maxExponentDigits)
                    return false;
                exponent = exponent * 10 + static_cast<int>(*q - L'0');
            }
            n.power += negative ? -exponent : exponent;
            p = q;
        }
    }
    n.end = p;
    return true;
}

// n as ASCII with "." for its mark, for std::from_chars ("+" left out, which
// from_chars does not take); false when longer than the buffer.
bool plainText(const PlainNumber& n, char (&text)[s_maxPlainLength], std::size_t& length)
{
    const wchar_t* p = n.begin + (*n.begin == L'+' ? 1 : 0);
    if (n.end - p > static_cast<std::ptrdiff_t>(s_maxPlainLength))
        return false;
    length = 0;
    for (; p != n.end; ++p)
        text[length++] = *p == L',' ? '.' : static_cast<char>(*p);
    return true;
}

// The value of n when it is exactly a double times or over an exact power of
// ten: one correctly rounded operation, as the C library would round it.
bool exactValue(const PlainNumber& n, double& value)
{
    static const double s_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (!n.mantissaExact || n.power < -22 || n.power > 22)
        return false;
    const double mantissa = static_cast<double>(n.mantissa);
    value = n.power < 0 ? mantissa / s_powers[-n.power] : mantissa * s_powers[n.power];
    if (n.negative)
        value = -value;
    return true;
}

// Adds the decimal digits from p up to the first other character or limit
// to mantissa; returns where they end. Four characters at a time where the
// text has them: a number of eight digits costs two steps, not eight.
const wchar_t* addDigits(const wchar_t* p, const wchar_t* const limit, std::uint64_t& mantissa)
{
#if defined(__SSE2__)
    static_assert(sizeof(wchar_t) == 4, "four wide characters to a vector");
    const __m128i zero = _mm_set1_epi32(L'0');
    const __m128i signBit = _mm_set1_epi32(INT32_MIN);
    const __m128i ten = _mm_set1_epi32(INT32_MIN + 10);
    const __m128i weights = _mm_setr_epi16(1000, 100, 10, 1, 0, 0, 0, 0);
    while (limit - p >= 4) {
        const __m128i digits = _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), zero);
        // Unsigned digit < 10, compared as signed with the sign bits flipped.
        const __m128i isDigit = _mm_cmplt_epi32(_mm_xor_si128(digits, signBit), ten);
        if (_mm_movemask_ps(_mm_castsi128_ps(isDigit)) != 0xF)
            break;
        // d0*1000 + d1*100 and d2*10 + d3 in the two low lanes.
        const __m128i pairs = _mm_madd_epi16(_mm_packs_epi32(digits, digits), weights);
        const auto value =
            static_cast<std::uint32_t>(_mm_cvtsi128_si32(pairs) + _mm_cvtsi128_si32(_mm_srli_si128(pairs, 4)));
        mantissa = mantissa * 10000 + value;
        p += 4;
    }
#endif
    for (; p != limit; ++p) {
        const auto digit = static_cast<std::uint32_t>(*p - L'0');
        if (digit > 9)
            break;
        mantissa = mantissa * 10 + digit;
    }
    return p;
}

// The common case in one pass: [blanks] [sign] digits [mark digits] with at
// most 15 digits in all (an exact double), then perhaps an exponent of up to
// three digits, and together a power of ten that is an exact double too. Its
// value is the one exactValue gives for it, found without building a
// PlainNumber; false for anything else (a hexadecimal "x" included).
inline bool readShortNumber(const wchar_t* p, const wchar_t* const end, double& value)
{
    static const double s_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (p == end)
        return false;
    while (*p == L' ' || *p == L'\t')
        if (++p == end)
            return false;
    const bool negative = *p == L'-';
    if ((negative || *p == L'+') && ++p == end)
        return false;
    // Past 19 digits the mantissa wraps; such a number is turned down below.
    std::uint64_t mantissa = 0;
    const wchar_t* const start = p;
    p = addDigits(p, end, mantissa);
    std::ptrdiff_t digits = p - start;
    std::ptrdiff_t power = 0;
    if (p != end && (*p == L'.' || *p == L',')) {
        const wchar_t* const fractionStart = ++p;
        p = addDigits(p, end, mantissa);
        power = fractionStart - p;
        digits -= power;
    }
    if (digits == 0 || digits > 15)
        return false;
    if (p != end) {
        if ((*p | 0x20) == L'x')
            return false;
        if ((*p | 0x20) == L'e') {
            // An exponent: e, a sign perhaps, one to three digits.
            const wchar_t* q = p + 1;
            const bool negativeExponent = q != end && *q == L'-';
            if (q != end && (*q == L'-' || *q == L'+'))
                ++q;
            std::uint64_t exponent = 0;
            const wchar_t* const exponentEnd = addDigits(q, end - q > 4 ? q + 4 : end, exponent);
            if (exponentEnd == q || exponentEnd - q > 3)
                return false;
            power += negativeExponent ? -static_cast<std::ptrdiff_t>(exponent)
                                      : static_cast<std::ptrdiff_t>(exponent);
            if (power < -22 || power > 22)
                return false;
        }
    }
    if (!roundsToNearest())
        return false;
    const double magnitude = static_cast<double>(mantissa);
    value = power < 0 ? magnitude / s_powers[-power] : magnitude * s_powers[power];
    if (negative)
        value = -value;
    return true;
}

// The whole rule through the C library: marks replaced, then what std::stod
// does (wcstod, failing on no number or ERANGE) without the cost of its
// exceptions, and 0 for those failures, infinity or NaN.
double libraryStringToDouble(std::wstring s, wchar_t mark)
{
    for (wchar_t& c : s) {
        if ((c == L',' || c == L'.') && c != mark)
            c = mark;
    }
    const wchar_t* text = s.c_str();
    wchar_t* end = nullptr;
    const int savedErrno = errno;
    errno = 0;
    const double value = std::wcstod(text, &end);
    const bool outOfRange = errno == ERANGE;
    errno = savedErrno;
    if (end == text || outOfRange)
        return 0.0;
    return std::isfinite(value) ? value : 0.0;
}

// Every other text. Longer plain numbers are read by std::from_chars, which
// rounds as the C library does; what it might read differently (near the
// limits of the range, or under a rounding mode other than the default) is
// left to the C library. Kept out of line, so that the common case stays a
// small function.
__attribute__((noinline)) double otherNumber(const wchar_t* first, const wchar_t* last)
{
    PlainNumber n;
    if (readPlainNumber(first, last, n) && roundsToNearest()) {
        double value = 0;
        if (exactValue(n, value))
            return value;
        char text[s_maxPlainLength];
        std::size_t length = 0;
        if (plainText(n, text, length)) {
            const auto result = std::from_chars(text, text + length, value);
            const double magnitude = std::fabs(value);
            if (result.ec == std::errc() && result.ptr == text + length
                && (n.nonZero ? magnitude >= 4 * DBL_MIN && magnitude <= DBL_MAX / 4 : value == 0))
                return value;
        }
    }
    return libraryStringToDouble(std::wstring(first, last), decimalMark());
}

} // namespace

double stringToDouble(const wchar_t* first, const wchar_t* last)
{
    // A plain number reads the same whatever the locale's decimal point: in
    // a locale whose point is neither "." nor "," the C library's way would
    // stop at the mark and drop the fraction.
    double value = 0;
    if (readShortNumber(first, last, value))
        return value;
    return otherNumber(first, last);
}

double stringToDouble(const std::wstring& s)
{
    return stringToDouble(s.data(), s.data() + s.size());
}

} // namespace Utils
} // namespace Plugin
