// Recognises Russian text written as UTF-8, before the single-byte detector
// is asked: such a file would otherwise be read as one of the code pages.
#pragma once

#include <cstddef>
#include <string>

namespace TextEncodingDetector {

// True when all of bytes is valid UTF-8 (no invalid, truncated or overlong
// sequence, no surrogate, nothing above U+10FFFF) and holds at least one
// Russian letter (А-я, Ё, ё) as a two-byte sequence. Single-byte Russian
// text practically never passes; the letter keeps short accidents out.
bool IsRussianUtf8(const char* bytes, std::size_t size);
inline bool IsRussianUtf8(const std::string& bytes) { return IsRussianUtf8(bytes.data(), bytes.size()); }

} // namespace TextEncodingDetector
