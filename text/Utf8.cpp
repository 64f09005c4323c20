#include <gnssimport/text/Utf8.h>

#include <stdexcept>
#include <type_traits>

namespace text {

namespace {

constexpr char32_t s_replacement = 0xFFFD;

bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void appendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the sequence at p into c; returns its length, 0 when it is not
// valid UTF-8 (the second byte's range excludes overlong forms, values past
// U+10FFFF and, unless asked for, surrogates).
std::size_t decodeAt(const unsigned char* p, const unsigned char* end, char32_t& c, bool surrogates = false)
{
    const unsigned char lead = *p;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    std::size_t more;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        c = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED && !surrogates)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        c = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) <= more || p[1] < low || p[1] > high)
        return 0;
    for (std::size_t k = 1; k <= more; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[k] & 0x3F);
    }
    return more + 1;
}

char32_t invalid(OnInvalid onInvalid, const char* what)
{
    if (onInvalid == OnInvalid::Throw)
        throw std::range_error(what);
    return s_replacement;
}

// The decoding loop of both wide forms and of the storage form, which also
// takes encoded surrogates.
std::wstring decode(const std::string& bytes, WideForm form, OnInvalid onInvalid, bool surrogates)
{
    std::wstring out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        char32_t c = 0;
        std::size_t length = decodeAt(p, end, c, surrogates);
        if (length == 0) {
            c = invalid(onInvalid, "UTF-8 conversion: invalid byte sequence");
            length = 1;
        }
        if (c >= 0x10000 && form == WideForm::Utf16) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
        p += length;
    }
    return out;
}

} // namespace

std::string toUtf8(const std::wstring& wide, OnInvalid onInvalid)
{
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = static_cast<std::make_unsigned_t<wchar_t>>(wide[i]);
        if (isHighSurrogate(c) && i + 1 < wide.size() && isLowSurrogate(static_cast<char32_t>(wide[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(wide[i + 1]) - 0xDC00);
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c) || c > 0x10FFFF) {
            c = invalid(onInvalid, "UTF-8 conversion: invalid wide character");
        }
        appendUtf8(c, out);
    }
    return out;
}

std::wstring fromUtf8(const std::string& bytes, WideForm form, OnInvalid onInvalid)
{
    return decode(bytes, form, onInvalid, false);
}

std::string toStoredUtf8(const std::wstring& wide)
{
    std::string out;
    out.reserve(wide.size());
    for (wchar_t unit : wide) {
        const char32_t c = static_cast<std::make_unsigned_t<wchar_t>>(unit);
        if (c > 0x10FFFF)
            throw std::range_error("UTF-8 conversion: invalid wide character");
        appendUtf8(c, out);
    }
    return out;
}

std::wstring fromStoredUtf8(const std::string& bytes)
{
    return decode(bytes, WideForm::Utf32, OnInvalid::Throw, true);
}

bool isValidUtf8(const char* p, std::size_t size)
{
    const auto* at = reinterpret_cast<const unsigned char*>(p);
    const auto* end = at + size;
    char32_t c = 0;
    while (at < end) {
        const std::size_t length = decodeAt(at, end, c);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

} // namespace text
