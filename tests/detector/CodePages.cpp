#include "CodePages.h"

#include <array>

namespace test {

namespace {

// KOI8-R places the letters in Latin-like order: lower case at 0xC0, upper
// case at 0xE0.
const wchar_t kKoi8Order[] = L"юабцдефгхийклмнопярстужвьызшэщчъ";

int koi8Byte(wchar_t c)
{
    for (int i = 0; i < 32; ++i) {
        if (kKoi8Order[i] == c)
            return 0xC0 + i;
        if (kKoi8Order[i] - 0x20 == c) // upper case of the same letter
            return 0xE0 + i;
    }
    return -1;
}

int cyrillicByte(wchar_t c, Type page)
{
    const bool upper = c >= L'А' && c <= L'Я';
    const bool lower = c >= L'а' && c <= L'я';
    switch (page) {
    case TextEncodingDetector::Encoding::win1251:
        if (upper || lower)
            return 0xC0 + (c - L'А');
        return c == L'Ё' ? 0xA8 : c == L'ё' ? 0xB8 : -1;
    case TextEncodingDetector::Encoding::cp866:
        if (upper)
            return 0x80 + (c - L'А');
        if (c >= L'а' && c <= L'п')
            return 0xA0 + (c - L'а');
        if (c >= L'р' && c <= L'я')
            return 0xE0 + (c - L'р');
        return c == L'Ё' ? 0xF0 : c == L'ё' ? 0xF1 : -1;
    case TextEncodingDetector::Encoding::koi8r:
        if (upper || lower)
            return koi8Byte(c);
        return c == L'Ё' ? 0xB3 : c == L'ё' ? 0xA3 : -1;
    }
    return -1;
}

} // namespace

const char* charsetName(Type page)
{
    switch (page) {
    case TextEncodingDetector::Encoding::cp866:
        return "CP866";
    case TextEncodingDetector::Encoding::koi8r:
        return "KOI8-R";
    default:
        return "CP1251";
    }
}

const std::vector<Type>& allCodePages()
{
    static const std::vector<Type> pages = {TextEncodingDetector::Encoding::win1251,
                                            TextEncodingDetector::Encoding::koi8r,
                                            TextEncodingDetector::Encoding::cp866};
    return pages;
}

std::string encodeCyrillic(const std::wstring& text, Type page)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t c : text) {
        if (c >= 0 && c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const int byte = cyrillicByte(c, page);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

LetterCases letterCases(const std::string& bytes, Type page)
{
    // 1 for a capital, 2 for a lower-case letter, by byte value.
    std::array<int, 256> kind{};
    for (wchar_t c = L'А'; c <= L'я'; ++c)
        kind[static_cast<unsigned char>(cyrillicByte(c, page))] = c <= L'Я' ? 1 : 2;
    LetterCases cases;
    for (const char b : bytes) {
        cases.upper = cases.upper || kind[static_cast<unsigned char>(b)] == 1;
        cases.lower = cases.lower || kind[static_cast<unsigned char>(b)] == 2;
    }
    return cases;
}

} // namespace test
