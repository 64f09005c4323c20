#include "TextEncodingDetector.h"

namespace TextEncodingDetector {

// Placeholder until the letter-pair models are in.
Encoding::Type DetectTextEncoding(const std::string&)
{
    return Encoding::win1251;
}

} // namespace TextEncodingDetector
