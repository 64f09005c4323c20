// Writes Russian text in the three Cyrillic code pages the detector knows.
#pragma once

#include "EncodingDetector/TextEncodingDetector.h"

#include <string>
#include <vector>

namespace test {

using TextEncodingDetector::Encoding::Type;

// The charset name the plug-ins give the host for each code page.
const char* charsetName(Type page);
const std::vector<Type>& allCodePages();

// ASCII stays, А-я Ё ё become the page's bytes, anything else becomes "?".
std::string encodeCyrillic(const std::wstring& text, Type page);

// Whether bytes read in page show Russian capitals (А-Я) and lower-case
// Russian letters (а-я); Ё and ё count for neither.
struct LetterCases {
    bool upper = false;
    bool lower = false;
    bool both() const { return upper && lower; }
};
LetterCases letterCases(const std::string& bytes, Type page);

} // namespace test
