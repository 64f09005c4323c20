#include "Text.h"

#include <gnssimport/host/Utf8.h>

#include <charconv>
#include <cmath>

namespace cli {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr char32_t kReplacement = 0xFFFD;

void appendValidUtf8(char32_t c, std::string& out)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    host::appendUtf8(c, out);
}

} // namespace

std::string utf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        appendValidUtf8(static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c)), out);
    return out;
}

std::wstring fromUtf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    char32_t c = 0;
    while (i < text.size()) {
        // Malformed bytes and encoded surrogates become U+FFFD, one per byte.
        if (!host::decodeUtf8At(text, i, c)) {
            c = kReplacement;
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        out += static_cast<wchar_t>(c);
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

std::string fixed(double value, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e300)
        return shortest(value);
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    // Rounding may leave "-0.0000"; a sign on zero only confuses a reader.
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

double degrees(double radians) { return radians * 180.0 / kPi; }

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

std::size_t displayWidth(const std::string& utf8Text)
{
    std::size_t width = 0;
    for (char c : utf8Text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++width;
    return width;
}

} // namespace cli
