// Tells Windows-1251, KOI8-R and CP866 apart by the letter pairs of Russian text.
#pragma once

#include <string>

namespace TextEncodingDetector {

namespace Encoding {
enum Type { win1251 = 0, cp866 = 1, koi8r = 2 };
}

// Decides the code page of a whole file's raw bytes; win1251 when undecided.
Encoding::Type DetectTextEncoding(const std::string& buffer);

} // namespace TextEncodingDetector
