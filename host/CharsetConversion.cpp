#include "CharsetConversion.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <map>

namespace host {

namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

// glibc's name for wchar_t units in host byte order.
const char* const kWideCharset = "WCHAR_T";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const unsigned char* p, std::size_t size)
{
    const unsigned char* end = p + size;
    while (p != end) {
        const unsigned char c = *p++;
        if (c < 0x80)
            continue;
        std::size_t more = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (static_cast<std::size_t>(end - p) < more)
            return false;
        if (*p < low || *p > high)
            return false;
        for (std::size_t i = 1; i < more; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += more;
    }
    return true;
}

} // namespace

struct CharsetConverter::Impl {
    // Failed opens are cached too, so an unknown charset costs one
    // iconv_open however many lines ask for it.
    std::map<std::string, iconv_t> descriptors;
    std::string defaultCharset = "CP1251";

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        for (auto& entry : descriptors)
            if (entry.second != kInvalid)
                iconv_close(entry.second);
    }

    iconv_t descriptor(const std::string& charset)
    {
        auto it = descriptors.find(charset);
        if (it == descriptors.end())
            it = descriptors.emplace(charset, iconv_open(kWideCharset, charset.c_str())).first;
        return it->second;
    }
};

CharsetConverter::CharsetConverter() : m_impl(std::make_unique<Impl>()) {}
CharsetConverter::~CharsetConverter() = default;
CharsetConverter::CharsetConverter(CharsetConverter&&) noexcept = default;
CharsetConverter& CharsetConverter::operator=(CharsetConverter&&) noexcept = default;

void CharsetConverter::setDefaultCharset(const std::string& charset)
{
    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    m_impl->defaultCharset = charset;
}

const std::string& CharsetConverter::defaultCharset() const
{
    // A moved-from converter reports the initial default.
    static const std::string initial = Impl().defaultCharset;
    return m_impl ? m_impl->defaultCharset : initial;
}

bool CharsetConverter::convert(const std::string& charset, const char* bytes, std::size_t size, std::wstring& out)
{
    out.clear();
    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    if (!bytes)
        size = 0;

    std::string name = charset;
    if (name.empty())
        name = isValidUtf8(reinterpret_cast<const unsigned char*>(bytes), size) ? "UTF-8" : m_impl->defaultCharset;
    iconv_t cd = m_impl->descriptor(name);
    if (cd == kInvalid)
        return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);

    // One wide character per byte covers single-byte charsets and UTF-8;
    // charsets that expand are served by growing the buffer.
    std::size_t produced = 0;
    out.resize(size + 16);
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = size;
    bool flushing = false;
    for (;;) {
        char* outPtr = reinterpret_cast<char*>(&out[produced]);
        std::size_t outLeft = (out.size() - produced) * sizeof(wchar_t);
        const std::size_t outStart = outLeft;
        const std::size_t rc = flushing ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft)
                                        : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        produced += (outStart - outLeft) / sizeof(wchar_t);
        if (rc != static_cast<std::size_t>(-1)) {
            if (flushing)
                break;
            flushing = true; // emit what a stateful charset still holds
            continue;
        }
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: invalid or truncated input.
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        return false;
    }
    out.resize(produced);
    // glibc lets some decoders (UTF-8 among them) through with code points
    // above U+10FFFF; such text is as invalid as an undecodable byte.
    for (wchar_t c : out) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out.clear();
            return false;
        }
    }
    return true;
}

} // namespace host
