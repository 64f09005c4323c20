// Number and path helpers used by every parser.
#pragma once

#include <filesystem>
#include <string>

namespace Plugin {

// Wide path to a file-system path through UTF-8 (std::range_error on a
// lone surrogate).
std::filesystem::path toPath(const std::wstring& s);

namespace Utils {

// Reads the number at the start of s with "," or "." as the decimal mark.
// Leading white space is skipped and trailing text ignored; a text without
// a number, an out-of-range number, infinity or NaN all give 0.0.
double stringToDouble(const std::wstring& s);
// The same for the text [first, last), which a NUL inside ends early.
double stringToDouble(const wchar_t* first, const wchar_t* last);

} // namespace Utils
} // namespace Plugin
