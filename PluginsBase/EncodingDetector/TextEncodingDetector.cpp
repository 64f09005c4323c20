#include "TextEncodingDetector.h"

#include "SBCSGroupProber.h"

namespace TextEncodingDetector {

Encoding::Type DetectTextEncoding(const std::string& buffer)
{
    CSBCSGroupProber prober;
    prober.HandleData(buffer);
    return prober.GetEncoding();
}

} // namespace TextEncodingDetector
