// The Cyrillic code page detector on arbitrary bytes: the whole-file
// decision (the answer of the plain or the capital-folded reading), and the
// group prober fed the same bytes in two pieces.
#include "EncodingDetector/SBCSGroupProber.h"
#include "EncodingDetector/TextEncodingDetector.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace TextEncodingDetector;

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
        std::abort();
    }
}

bool isEncoding(Encoding::Type e) { return e == Encoding::win1251 || e == Encoding::cp866 || e == Encoding::koi8r; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Encoding::Type whole = DetectTextEncoding(bytes);
    check(isEncoding(whole), "unknown encoding");
    check(DetectTextEncoding(bytes) == whole, "detection is not repeatable");
    CSBCSGroupProber plain, folded(true);
    plain.HandleData(bytes);
    folded.HandleData(bytes);
    check(whole == plain.GetEncoding() || whole == folded.GetEncoding(), "answer of neither reading");

    std::string filtered;
    FilterWithoutEnglishLetters(bytes, filtered);
    check(filtered.size() <= bytes.size(), "filter grew the text");

    CSBCSGroupProber prober;
    const std::size_t half = size / 2;
    prober.HandleData(bytes.substr(0, half));
    prober.HandleData(bytes.substr(half));
    const float confidence = prober.GetConfidence();
    check(confidence >= 0.0f && confidence <= 1.0f, "confidence out of range");
    check(isEncoding(prober.GetEncoding()), "unknown encoding from pieces");
    return 0;
}
