// Text helpers of the tool: UTF-8 conversion, locale-independent numbers,
// degrees-minutes-seconds.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// Wide text to UTF-8; what UTF-8 cannot carry becomes U+FFFD.
std::string utf8(const std::wstring& text);
// UTF-8 to wide text; malformed bytes become U+FFFD.
std::wstring fromUtf8(const std::string& text);
// True when all of text is valid UTF-8 (encoded surrogates are not).
bool isUtf8(const std::string& text);
// UTF-8 to wide text with each byte that is not part of valid UTF-8 shown
// as \xNN, so that a file name in another encoding stays recognisable.
std::wstring escapeNonUtf8(const std::string& text);

// Shortest text that reads back as the same double, whatever the locale.
std::string shortest(double value);
std::string shortest(float value);
// Fixed-point text with the given number of decimals, whatever the locale.
std::string fixed(double value, int decimals);
// The same, appended to out.
void appendFixed(std::string& out, double value, int decimals);

double degrees(double radians);
// An angle in radians as 55°45'12.34567"N (latitude) or 37°36'56.68920"E.
std::string dms(double radians, bool latitude);

// Number of code points, the width a terminal usually gives the text.
std::size_t displayWidth(std::string_view utf8Text);

} // namespace cli
