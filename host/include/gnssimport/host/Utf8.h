// UTF-8 encoding and decoding of code points and wide text, shared by the
// host's settings file, the command-line tool and the GDAL driver.
#pragma once

#include <cstddef>
#include <string>

namespace host {

// Appends c (at most U+10FFFF) as UTF-8. Surrogate code points are encoded
// like any other, so a caller that wants strict UTF-8 filters them first.
void appendUtf8(char32_t c, std::string& out);

// Decodes the sequence starting at text[pos] into c and moves pos past it.
// Returns false, leaving pos unchanged, for a malformed, truncated or
// overlong sequence or a value past U+10FFFF. Surrogates are returned as
// decoded.
bool decodeUtf8At(const std::string& text, std::size_t& pos, char32_t& c);

// Wide text to UTF-8; code points UTF-8 cannot carry become U+FFFD.
std::string toUtf8(const std::wstring& text);
// UTF-8 to wide text; malformed bytes and surrogates become U+FFFD.
std::wstring fromUtf8(const std::string& text);

} // namespace host
