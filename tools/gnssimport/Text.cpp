#include "Text.h"

#include <gnssimport/geodesy/Geodesy.h>
#include <gnssimport/host/Utf8.h>
#include <gnssimport/text/Utf8.h>

#include <charconv>
#include <cmath>

namespace cli {

std::string utf8(const std::wstring& text) { return host::toUtf8(text); }

std::wstring fromUtf8(const std::string& text) { return host::fromUtf8(text); }

bool isUtf8(const std::string& text) { return text::isValidUtf8(text.data(), text.size()); }

std::wstring escapeNonUtf8(const std::string& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (length <= text.size() - i && text::isValidUtf8(text.data() + i, length)) {
            out += host::fromUtf8(text.substr(i, length));
            i += length;
            continue;
        }
        out += L"\\x";
        out += static_cast<wchar_t>(kHex[lead >> 4]);
        out += static_cast<wchar_t>(kHex[lead & 0xF]);
        ++i;
    }
    return out;
}

std::string shortest(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string shortest(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

// value rounded to decimals places through an integer, appended to out:
// exact unless the scaled value lies too near a half for the one rounding
// error of the multiplication to be ruled out; false then, and for large
// values.
bool appendFastFixed(std::string& out, double value, int decimals)
{
    static const double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (decimals < 0 || decimals > 9)
        return false;
    const double scaled = std::fabs(value) * kPowers[decimals];
    // Below 2^44 the product is off by at most 2^-9.
    if (!(scaled < 17592186044416.0))
        return false;
    const double fraction = scaled - std::floor(scaled);
    if (std::fabs(fraction - 0.5) < 1.0 / 256)
        return false;
    const auto units = static_cast<unsigned long long>(std::llround(scaled));
    const auto unit = static_cast<unsigned long long>(kPowers[decimals]);
    char buffer[48];
    char* at = buffer;
    if (std::signbit(value) && units != 0) // no sign on a zero
        *at++ = '-';
    at = std::to_chars(at, buffer + sizeof buffer, units / unit).ptr;
    if (decimals > 0) {
        *at++ = '.';
        unsigned long long rest = units % unit;
        for (int i = decimals - 1; i >= 0; --i, rest /= 10)
            at[i] = static_cast<char>('0' + rest % 10);
        at += decimals;
    }
    out.append(buffer, at);
    return true;
}

} // namespace

void appendFixed(std::string& out, double value, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e300) {
        out += shortest(value);
        return;
    }
    if (appendFastFixed(out, value, decimals))
        return;
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // Rounding may leave "-0.0000"; a sign on zero only confuses a reader.
    const bool zero = text.find_first_not_of("-0.") == std::string_view::npos;
    out += text.substr(text[0] == '-' && zero ? 1 : 0);
}

std::string fixed(double value, int decimals)
{
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

double degrees(double radians) { return geodesy::degrees(radians); }

std::string dms(double radians, bool latitude)
{
    const double angle = degrees(radians);
    // Beyond a few turns the value is garbage; show it without overflowing.
    if (!std::isfinite(angle) || std::fabs(angle) > 1e6)
        return shortest(angle) + "\u00B0";
    const char hemisphere = latitude ? (angle < 0 ? 'S' : 'N') : (angle < 0 ? 'W' : 'E');
    // Work in units of 0.00001" so that rounding carries into minutes and degrees.
    constexpr double kUnits = 3600.0 * 100000.0;
    const long long total = std::llround(std::fabs(angle) * kUnits);
    const long long unitsPerDegree = static_cast<long long>(kUnits);
    const long long whole = total / unitsPerDegree;
    const long long rest = total % unitsPerDegree;
    const long long minutes = rest / (60LL * 100000);
    const long long seconds = rest % (60LL * 100000);
    std::string secondsText = std::to_string(seconds / 100000) + "." + std::to_string(100000 + seconds % 100000).substr(1);
    if (seconds < 10LL * 100000)
        secondsText.insert(0, "0");
    std::string minutesText = (minutes < 10 ? "0" : "") + std::to_string(minutes);
    return std::to_string(whole) + "\u00B0" + minutesText + "'" + secondsText + "\"" + hemisphere;
}

std::size_t displayWidth(std::string_view utf8Text)
{
    std::size_t width = 0;
    for (char c : utf8Text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++width;
    return width;
}

} // namespace cli
