// Where each code page puts the Russian letters А-Я, Ё and а-я, ё: enough to
// tell the case of a byte and to find the lower case of a capital.
#pragma once

#include "TextEncodingDetector.h"

namespace TextEncodingDetector {

// The byte of the lower-case letter when byte is a Russian capital in page,
// else -1.
constexpr int LowerCaseByte(Encoding::Type page, unsigned byte)
{
    switch (page) {
    case Encoding::win1251: // А-Я at 0xC0, а-я at 0xE0
        if (byte >= 0xC0 && byte <= 0xDF)
            return static_cast<int>(byte + 0x20);
        return byte == 0xA8 ? 0xB8 : -1;
    case Encoding::koi8r: // а-я at 0xC0, А-Я at 0xE0, in the same order
        if (byte >= 0xE0 && byte <= 0xFF)
            return static_cast<int>(byte - 0x20);
        return byte == 0xB3 ? 0xA3 : -1;
    case Encoding::cp866: // А-П at 0x80, Р-Я at 0x90; а-п at 0xA0, р-я at 0xE0
        if (byte >= 0x80 && byte <= 0x8F)
            return static_cast<int>(byte + 0x20);
        if (byte >= 0x90 && byte <= 0x9F)
            return static_cast<int>(byte + 0x50);
        return byte == 0xF0 ? 0xF1 : -1;
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
    switch (page) {
    case Encoding::win1251:
        return byte == 0xA8 || byte == 0xB8;
    case Encoding::koi8r:
        return byte == 0xB3 || byte == 0xA3;
    case Encoding::cp866:
        return byte == 0xF0 || byte == 0xF1;
    }
    return false;
}

} // namespace TextEncodingDetector
