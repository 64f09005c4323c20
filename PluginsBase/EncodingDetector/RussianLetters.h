// Where each code page puts the Russian letters А-Я, Ё and а-я, ё: enough to
// tell the case of a byte and to find the lower case of a capital.
#pragma once

#include "TextEncodingDetector.h"

namespace TextEncodingDetector {

// Where page puts Ё and ё, the one pair outside each page's runs of letters.
struct YoBytes {
    unsigned capital, lower;
};
constexpr YoBytes Yo(Encoding::Type page)
{
    switch (page) {
    case Encoding::win1251:
        return {0xA8, 0xB8};
    case Encoding::koi8r:
        return {0xB3, 0xA3};
    case Encoding::cp866:
        return {0xF0, 0xF1};
    }
    return {0, 0};
}

// The byte of the lower-case letter when byte is a Russian capital in page,
// else -1.
constexpr int LowerCaseByte(Encoding::Type page, unsigned byte)
{
    if (byte == Yo(page).capital)
        return static_cast<int>(Yo(page).lower);
    switch (page) {
    case Encoding::win1251: // А-Я at 0xC0, а-я at 0xE0
        if (byte >= 0xC0 && byte <= 0xDF)
            return static_cast<int>(byte + 0x20);
        break;
    case Encoding::koi8r: // а-я at 0xC0, А-Я at 0xE0, in the same order
        if (byte >= 0xE0 && byte <= 0xFF)
            return static_cast<int>(byte - 0x20);
        break;
    case Encoding::cp866: // А-П at 0x80, Р-Я at 0x90; а-п at 0xA0, р-я at 0xE0
        if (byte >= 0x80 && byte <= 0x8F)
            return static_cast<int>(byte + 0x20);
        if (byte >= 0x90 && byte <= 0x9F)
            return static_cast<int>(byte + 0x50);
        break;
    }
    return -1;
}

// True when byte is a lower-case Russian letter in page.
constexpr bool IsLowerCaseLetter(Encoding::Type page, unsigned byte)
{
    for (unsigned capital = 0x80; capital < 0x100; ++capital)
        if (LowerCaseByte(page, capital) == static_cast<int>(byte))
            return true;
    return false;
}

// True when byte is Ё or ё in page.
constexpr bool IsYo(Encoding::Type page, unsigned byte)
{
    return byte == Yo(page).capital || byte == Yo(page).lower;
}

} // namespace TextEncodingDetector
