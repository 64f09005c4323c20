#include "TextEncodingDetector.h"

#include "RussianLetters.h"
#include "SBCSGroupProber.h"

namespace TextEncodingDetector {

namespace {

// True when the text, read in page, holds both Russian capitals and
// lower-case Russian letters (all of them are high bytes in the three pages).
// Ё and ё count for neither: CP866 has them where KOI8-R has П and Я, so a
// KOI8-R text in capitals read as CP866 would otherwise seem to show both.
bool ShowsBothCases(const CFilteredTextStats& stats, Encoding::Type page)
{
    bool upper = false;
    bool lower = false;
    for (unsigned byte = 0x80; byte < 0x100 && !(upper && lower); ++byte) {
        if (stats.High(static_cast<unsigned char>(byte)) == 0 || IsYo(page, byte))
            continue;
        upper = upper || LowerCaseByte(page, byte) >= 0;
        lower = lower || IsLowerCaseLetter(page, byte);
    }
    return upper && lower;
}

} // namespace

Encoding::Type DetectTextEncoding(const std::string& buffer)
{
    // The letter pairs of the models are those of lower-case text. A text
    // whose reading shows both cases keeps that answer; one in capitals (or
    // lower case) alone is read again with capitals folded to lower case.
    const CFilteredTextStats stats(buffer);
    CSBCSGroupProber prober;
    prober.HandleData(buffer, &stats);
    const Encoding::Type found = prober.GetEncoding();
    if (ShowsBothCases(stats, found))
        return found;
    CSBCSGroupProber folded(true);
    folded.HandleData(buffer, &stats);
    return folded.GetEncoding();
}

} // namespace TextEncodingDetector
