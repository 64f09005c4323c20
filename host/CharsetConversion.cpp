#include <gnssimport/host/CharsetConversion.h>

#include <gnssimport/text/Utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <map>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace host {

namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

// glibc's name for wchar_t units in host byte order.
const char* const kWideCharset = "WCHAR_T";
const std::string kUtf8 = "UTF-8";

// iconv's conversion of size bytes into out, flushed; false on an invalid
// (error EILSEQ) or truncated (EINVAL) byte sequence. The descriptor is reset
// before and after.
bool iconvConvert(iconv_t cd, const char* bytes, std::size_t size, std::wstring& out, int* failure = nullptr)
{
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
        if (failure)
            *failure = error;
        return false;
    }
    out.resize(produced);
    return true;
}

// glibc lets some decoders (UTF-8 among them) through with code points above
// U+10FFFF; such text is as invalid as an undecodable byte.
bool isValidText(const std::wstring& text)
{
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

// Marks a byte of a single-byte charset that decodes to nothing valid.
const wchar_t kNoCharacter = static_cast<wchar_t>(0xFFFFFFFFu);

// The 256 characters of cd when it is a single-byte charset without state
// (every byte on its own one character or invalid, and a run of bytes the
// characters of its bytes); empty otherwise. A line in such a charset is
// then decoded by looking its bytes up, without a call into iconv.
std::vector<wchar_t> singleByteTable(iconv_t cd)
{
    std::vector<wchar_t> table(256, kNoCharacter);
    std::string valid;
    std::wstring text;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        int failure = 0;
        if (!iconvConvert(cd, &byte, 1, text, &failure)) {
            if (failure != EILSEQ)
                return {};
            continue;
        }
        if (text.size() != 1)
            return {};
        if (isValidText(text))
            table[static_cast<std::size_t>(b)] = text[0];
        valid += byte;
    }
    // The bytes in a row must decode as they do one by one.
    if (!iconvConvert(cd, valid.data(), valid.size(), text) || text.size() != valid.size())
        return {};
    for (std::size_t i = 0; i < valid.size(); ++i)
        if (table[static_cast<unsigned char>(valid[i])] != text[i] && isValidText(text.substr(i, 1)))
            return {};
    return table;
}

// Where a UTF-8 sequence cut off by the end of the bytes starts; size when
// the last one is complete (or not UTF-8 at all, which the check then finds).
std::size_t completePart(const char* p, std::size_t size)
{
    std::size_t start = size;
    while (start > 0 && size - start < 3 && (static_cast<unsigned char>(p[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0)
        return size;
    const auto lead = static_cast<unsigned char>(p[start - 1]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return size - (start - 1) < length ? start - 1 : size;
}

bool hasNonAscii(const char* p, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return true;
    return false;
}

} // namespace

FileText inspectFileText(const std::string& path)
{
    FileText text;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return text;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return text;
    text.validUtf8 = true;
    // A sequence cut by the end of a block is carried to the next one.
    std::vector<char> block(std::size_t(1) << 20);
    std::size_t carried = 0;
    try {
        while (in.read(block.data() + carried, static_cast<std::streamsize>(block.size() - carried)) ||
               in.gcount() > 0) {
            const std::size_t size = carried + static_cast<std::size_t>(in.gcount());
            text.nonAscii = text.nonAscii || hasNonAscii(block.data(), size);
            const std::size_t complete = completePart(block.data(), size);
            if (!text::isValidUtf8(block.data(), complete)) {
                text.validUtf8 = false;
                break;
            }
            carried = size - complete;
            std::copy(block.data() + size - carried, block.data() + size, block.data());
        }
    } catch (const std::ios_base::failure&) {
        return FileText();
    }
    if (in.bad())
        return FileText();
    text.validUtf8 = text.validUtf8 && carried == 0;
    text.read = true;
    return text;
}

struct CharsetConverter::Impl {
    struct Charset {
        iconv_t cd = kInvalid;
        std::vector<wchar_t> table; // see singleByteTable
        bool asciiIdentity = false; // the table maps every byte below 0x80 to itself
    };

    // Failed opens are cached too, so an unknown charset costs one
    // iconv_open however many lines ask for it.
    std::map<std::string, Charset> charsets;
    std::string defaultCharset = "CP1251";
    std::string lastName; // the charset asked for last, and its entry
    const Charset* last = nullptr;

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        for (auto& entry : charsets)
            if (entry.second.cd != kInvalid)
                iconv_close(entry.second.cd);
    }

    const Charset& charset(const std::string& name)
    {
        // Every line of a file names the same charset.
        if (last && name == lastName)
            return *last;
        auto it = charsets.find(name);
        if (it == charsets.end()) {
            Charset opened;
            opened.cd = iconv_open(kWideCharset, name.c_str());
            if (opened.cd != kInvalid)
                opened.table = singleByteTable(opened.cd);
            opened.asciiIdentity = !opened.table.empty();
            for (std::size_t c = 0; c < 0x80 && opened.asciiIdentity; ++c)
                opened.asciiIdentity = opened.table[c] == static_cast<wchar_t>(c);
            it = charsets.emplace(name, std::move(opened)).first;
        }
        lastName = name;
        last = &it->second; // map nodes stay where they are
        return it->second;
    }

    // The bytes of a single-byte charset decoded into text (size characters);
    // false when one of them decodes to nothing.
    static bool decodeByTable(const Charset& entry, const unsigned char* in, std::size_t size, wchar_t* text)
    {
        const wchar_t* table = entry.table.data();
        bool invalid = false;
#if defined(__SSE2__)
        if (entry.asciiIdentity && size >= 16) {
            // Blocks of ASCII, most of an export, are only widened: sixteen
            // bytes to sixteen characters in a few unpacking steps. The last
            // block ends at the end of the line, overlapping the one before
            // it rather than leaving a tail of single bytes.
            static_assert(sizeof(wchar_t) == 4, "four bytes to a wide character");
            const __m128i zero = _mm_setzero_si128();
            for (std::size_t block = 0;; block += 16) {
                if (block + 16 > size)
                    block = size - 16;
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + block));
                if (_mm_movemask_epi8(bytes) == 0) {
                    const __m128i low = _mm_unpacklo_epi8(bytes, zero);
                    const __m128i high = _mm_unpackhi_epi8(bytes, zero);
                    auto* out = reinterpret_cast<__m128i*>(text + block);
                    _mm_storeu_si128(out, _mm_unpacklo_epi16(low, zero));
                    _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(low, zero));
                    _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(high, zero));
                    _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(high, zero));
                } else {
                    for (std::size_t k = block; k < block + 16; ++k) {
                        const wchar_t c = table[in[k]];
                        text[k] = c;
                        invalid |= c == kNoCharacter;
                    }
                }
                if (block + 16 == size)
                    return !invalid;
            }
        }
#endif
        for (std::size_t i = 0; i < size; ++i) {
            const wchar_t c = table[in[i]];
            text[i] = c;
            invalid |= c == kNoCharacter;
        }
        return !invalid;
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

bool CharsetConverter::isSingleByte(const std::string& charset)
{
    if (charset.empty())
        return false;
    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    return !m_impl->charset(charset).table.empty();
}

bool CharsetConverter::convert(const std::string& charset, const char* bytes, std::size_t size, std::wstring& out)
{
    // out is cleared on every failure; on success every character is
    // written, so what it held is not cleared first (resizing a string
    // fills only what it grows by).
    if (!m_impl)
        m_impl = std::make_unique<Impl>();
    if (!bytes)
        size = 0;

    const std::string* name = &charset;
    if (charset.empty())
        name = text::isValidUtf8(bytes, size) ? &kUtf8 : &m_impl->defaultCharset;
    const Impl::Charset& entry = m_impl->charset(*name);
    if (entry.cd == kInvalid) {
        out.clear();
        return false;
    }

    if (!entry.table.empty()) {
        out.resize(size);
        const bool valid =
            size == 0 || Impl::decodeByTable(entry, reinterpret_cast<const unsigned char*>(bytes), size, &out[0]);
        if (!valid)
            out.clear();
        return valid;
    }

    if (!iconvConvert(entry.cd, bytes, size, out))
        return false;
    if (!isValidText(out)) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace host
