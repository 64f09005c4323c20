#include "RussianUtf8.h"

#include <cstdint>
#include <cstring>

namespace TextEncodingDetector {

namespace {

// А-я are D0 90 to D1 8F, Ё is D0 81 and ё D1 91.
bool isRussianLetter(unsigned char lead, unsigned char next)
{
    return (lead == 0xD0 && (next >= 0x90 || next == 0x81)) || (lead == 0xD1 && (next <= 0x8F || next == 0x91));
}

} // namespace

bool IsRussianUtf8(const char* bytes, std::size_t size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* const end = p + size;
    bool russian = false;
    while (p != end) {
        // Runs of ASCII, most of an export, are passed eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p++;
        if (c < 0x80)
            continue;
        std::size_t more = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                low = 0xA0; // overlong
            else if (c == 0xED)
                high = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                low = 0x90; // overlong
            else if (c == 0xF4)
                high = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (static_cast<std::size_t>(end - p) < more || *p < low || *p > high)
            return false;
        for (std::size_t i = 1; i < more; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        russian = russian || (more == 1 && isRussianLetter(c, *p));
        p += more;
    }
    return russian;
}

} // namespace TextEncodingDetector
