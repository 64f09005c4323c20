#include "OutputBuffer.h"

#include "Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace cli {

void OutputBuffer::shortest(double value)
{
    char* at = reserve();
    m_size = static_cast<std::size_t>(std::to_chars(at, m_data + kSize, value).ptr - m_data);
}

void OutputBuffer::integer(long long value)
{
    char* at = reserve();
    m_size = static_cast<std::size_t>(std::to_chars(at, m_data + kSize, value).ptr - m_data);
}

void OutputBuffer::jsonNumber(double value)
{
    if (!std::isfinite(value)) {
        *this << "null";
        return;
    }
    char* out = reserve();
    if (std::signbit(value)) {
        *out++ = '-';
        value = -value;
    }
    if (value == 0) {
        std::memcpy(out, "0.0", 3);
        m_size = static_cast<std::size_t>(out + 3 - m_data);
        return;
    }
    // The shortest digits and the exponent, from d.ddde±XX.
    char scientific[32];
    const char* end = std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific).ptr;
    char digits[20];
    int k = 0;
    const char* p = scientific;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[k++] = *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    const int n = exponent + 1; // digits before the decimal point
    constexpr int kMinExp = -4, kMaxExp = 15;
    if (k <= n && n <= kMaxExp) { // digits000.0
        std::memcpy(out, digits, static_cast<std::size_t>(k));
        std::memset(out + k, '0', static_cast<std::size_t>(n - k));
        out += n;
        *out++ = '.';
        *out++ = '0';
    } else if (0 < n && n <= kMaxExp) { // dig.its
        std::memcpy(out, digits, static_cast<std::size_t>(n));
        out += n;
        *out++ = '.';
        std::memcpy(out, digits + n, static_cast<std::size_t>(k - n));
        out += k - n;
    } else if (kMinExp < n && n <= 0) { // 0.000digits
        *out++ = '0';
        *out++ = '.';
        std::memset(out, '0', static_cast<std::size_t>(-n));
        out += -n;
        std::memcpy(out, digits, static_cast<std::size_t>(k));
        out += k;
    } else { // d.igitse+XX, at least two exponent digits
        *out++ = digits[0];
        if (k > 1) {
            *out++ = '.';
            std::memcpy(out, digits + 1, static_cast<std::size_t>(k - 1));
            out += k - 1;
        }
        const int e = n - 1;
        *out++ = 'e';
        *out++ = e < 0 ? '-' : '+';
        const int magnitude = std::abs(e);
        if (magnitude < 10)
            *out++ = '0';
        out = std::to_chars(out, out + 4, magnitude).ptr;
    }
    m_size = static_cast<std::size_t>(out - m_data);
}

void OutputBuffer::utf8(const std::wstring& text)
{
    // Names are mostly ASCII: copied unit by unit without a converted copy.
    const bool ascii = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0 && c < 0x80; });
    if (!ascii || text.size() > kSize) {
        *this << cli::utf8(text);
        return;
    }
    if (text.size() > kSize - m_size)
        flush();
    for (wchar_t c : text)
        m_data[m_size++] = static_cast<char>(c);
}

} // namespace cli
