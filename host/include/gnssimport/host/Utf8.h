// UTF-8 encoding and decoding of single code points, shared by the host's
// settings file and the command-line tool's output.
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

} // namespace host
