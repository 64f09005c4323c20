// UTF-8 <-> wide text, one rule for the plug-ins, the host and the tool.
//
// Valid UTF-8 is strict: no overlong forms, no encoded surrogates, nothing
// above U+10FFFF. Valid wide text holds code points up to U+10FFFF, where a
// high surrogate directly followed by a low one counts as the character the
// pair encodes; any other surrogate is invalid. What happens to invalid
// input is the caller's choice: an exception, or U+FFFD in its place (one
// per offending byte or unit). Only the storage form below, which must give
// back any wide text unit for unit, also carries surrogates.
#pragma once

#include <cstddef>
#include <string>

namespace text {

enum class OnInvalid {
    Throw,   // std::range_error
    Replace, // U+FFFD
};

// How decoded characters above U+FFFF are stored in wide text.
enum class WideForm {
    Utf16, // as a surrogate pair of two units
    Utf32, // as one unit
};

std::string toUtf8(const std::wstring& wide, OnInvalid onInvalid);
std::wstring fromUtf8(const std::string& bytes, WideForm form, OnInvalid onInvalid);

// The storage form: every wide unit encoded on its own, surrogates too
// (three bytes each), so that any wide text comes back unit for unit, a
// UTF-16 pair as a pair. Units past U+10FFFF and malformed bytes throw
// std::range_error.
std::string toStoredUtf8(const std::wstring& wide);
std::wstring fromStoredUtf8(const std::string& bytes);

// True when the size bytes at p are valid UTF-8.
bool isValidUtf8(const char* p, std::size_t size);

} // namespace text
