// Byte-to-wide conversion for ConvertBytes, through iconv.
#pragma once

#include <memory>
#include <string>

namespace host {

// Converts bytes in a named charset to UTF-32 wide text in host byte order.
// One iconv descriptor is kept per charset. An empty charset name means the
// default charset (UTF-8 when the bytes are valid UTF-8, else the fallback).
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

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace host
