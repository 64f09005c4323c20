#include "Utils.h"

#include "strutils.h"

#include <langinfo.h>

#include <cerrno>
#include <cfenv>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cwchar>
#include <system_error>

namespace Plugin {

std::filesystem::path toPath(const std::wstring& s)
{
    return std::filesystem::path(strutils::toUtf8(s));
}

namespace Utils {

namespace {

// Longer numbers, and exponents of more digits, go the C library's way.
const std::size_t s_maxPlainLength = 48;
const int s_maxExponentDigits = 4;

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The first character of the current locale's decimal point.
wchar_t decimalMark()
{
    const char* point = nl_langinfo(RADIXCHAR);
    return (point && *point) ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
}

// The number at the start of [p, end) that std::stod would read after the
// decimal marks are made the locale's, written as ASCII with a "." into
// out: blanks and tabs, [sign] digits [mark digits] [e [sign] digits].
// False for anything else (other white space, hexadecimal, infinity, NaN,
// no digit, overlong), which the C library then reads itself.
bool plainNumber(const wchar_t* p, const wchar_t* end, char* out, std::size_t& length, bool& nonZero)
{
    while (p != end && (*p == L' ' || *p == L'\t'))
        ++p;
    char* o = out;
    char* const limit = out + s_maxPlainLength;
    if (p != end && (*p == L'-' || *p == L'+')) {
        if (*p == L'-')
            *o++ = '-';
        ++p;
    }
    if (p != end && *p == L'0' && p + 1 != end && (p[1] == L'x' || p[1] == L'X'))
        return false;
    bool digits = false;
    nonZero = false;
    auto copyDigits = [&] {
        for (; p != end && isDigit(*p); ++p) {
            if (o == limit)
                return false;
            nonZero |= *p != L'0';
            *o++ = static_cast<char>(*p);
            digits = true;
        }
        return true;
    };
    if (!copyDigits())
        return false;
    if (p != end && (*p == L'.' || *p == L',')) {
        *o++ = '.';
        ++p;
        if (!copyDigits())
            return false;
    }
    if (!digits)
        return false;
    if (p != end && (*p == L'e' || *p == L'E')) {
        const wchar_t* q = p + 1;
        const bool negative = q != end && *q == L'-';
        if (q != end && (*q == L'-' || *q == L'+'))
            ++q;
        if (q != end && isDigit(*q)) {
            if (limit - o < s_maxExponentDigits + 2)
                return false;
            *o++ = 'e';
            if (negative)
                *o++ = '-';
            for (int n = 0; q != end && isDigit(*q); ++q, ++n) {
                if (n == s_maxExponentDigits)
                    return false;
                *o++ = static_cast<char>(*q);
            }
        }
    }
    length = static_cast<std::size_t>(o - out);
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

} // namespace

double stringToDouble(const wchar_t* first, const wchar_t* last)
{
    // Plain numbers, nearly all of those in the exports, are read by
    // std::from_chars, which rounds as the C library does; what it might
    // read differently (near the limits of the range, or under a rounding
    // mode other than the default) is left to the C library.
    const wchar_t mark = decimalMark();
    if (mark == L'.' || mark == L',') {
        char plain[s_maxPlainLength + 1];
        std::size_t length = 0;
        bool nonZero = false;
        if (plainNumber(first, last, plain, length, nonZero) && std::fegetround() == FE_TONEAREST) {
            double value = 0;
            const auto result = std::from_chars(plain, plain + length, value);
            const double magnitude = std::fabs(value);
            if (result.ec == std::errc() && result.ptr == plain + length
                && (nonZero ? magnitude >= 4 * DBL_MIN && magnitude <= DBL_MAX / 4 : value == 0))
                return value;
        }
    }
    return libraryStringToDouble(std::wstring(first, last), mark);
}

double stringToDouble(const std::wstring& s)
{
    return stringToDouble(s.data(), s.data() + s.size());
}

} // namespace Utils
} // namespace Plugin
