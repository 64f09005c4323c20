// Byte-to-wide conversion for ConvertBytes, through iconv.
#pragma once

#include <memory>
#include <string>

namespace host {

// Converts bytes in a named charset to UTF-32 wide text in host byte order.
// One iconv descriptor is kept per charset. An empty charset name means the
// default charset (UTF-8 when the bytes are valid UTF-8, else the fallback);
// the recording target decides that once per file instead (FileText).
class CharsetConverter {
public:
    CharsetConverter();
    ~CharsetConverter();
    CharsetConverter(const CharsetConverter&) = delete;
    CharsetConverter& operator=(const CharsetConverter&) = delete;
    CharsetConverter(CharsetConverter&&) noexcept;
    CharsetConverter& operator=(CharsetConverter&&) noexcept;

    // Fallback for an empty charset name when the bytes are not UTF-8.
    void setDefaultCharset(const std::string& charset);
    const std::string& defaultCharset() const;

    // False on an unknown charset or bytes invalid in it.
    bool convert(const std::string& charset, const char* bytes, std::size_t size, std::wstring& out);
    // True for a known charset that gives one character per byte (CP1251,
    // KOI8-R, ISO-8859-5 ...); false for UTF-8 and unknown names.
    bool isSingleByte(const std::string& charset);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// What the bytes of one whole file say about its text.
struct FileText {
    bool read = false;      // the file was read (to its end, or to its first non-UTF-8 byte)
    bool validUtf8 = false; // all of it is valid UTF-8
    bool nonAscii = false;  // it holds a byte above 0x7F
};

// Reads the file named path (UTF-8) in blocks of 1 MiB, holding one block at
// a time, and stops at the first byte sequence that is not valid UTF-8.
FileText inspectFileText(const std::string& path);

} // namespace host
