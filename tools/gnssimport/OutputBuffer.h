// Characters gathered in a block and handed to the stream in large writes.
// The writers emit millions of short pieces; through the stream each would
// cost a sentry, a virtual call and a locale-aware conversion.
#pragma once

#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace cli {

class OutputBuffer {
public:
    explicit OutputBuffer(std::ostream& out) : m_out(out) {}
    // Flushes; a write error stays in the stream's state for its owner to see.
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    OutputBuffer& operator<<(char c)
    {
        if (m_size == kSize)
            flush();
        m_data[m_size++] = c;
        return *this;
    }
    OutputBuffer& operator<<(std::string_view text)
    {
        if (text.size() > kSize - m_size) {
            flush();
            if (text.size() > kSize) {
                m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
                return *this;
            }
        }
        std::memcpy(m_data + m_size, text.data(), text.size());
        m_size += text.size();
        return *this;
    }
    OutputBuffer& operator<<(const char* text) { return *this << std::string_view(text); }
    OutputBuffer& operator<<(const std::string& text) { return *this << std::string_view(text); }

    // Shortest text that reads back as the same double, whatever the locale.
    void shortest(double value);
    // A double as a JSON value: the shortest digits, plain with ".0" for a
    // whole number from 1e-4 up to 15 integer digits, else as d.ddde+XX, and
    // null when not finite.
    void jsonNumber(double value);
    void integer(long long value);
    // Wide text as UTF-8; what UTF-8 cannot carry becomes U+FFFD.
    void utf8(const std::wstring& text);

    void flush()
    {
        if (m_size)
            m_out.write(m_data, static_cast<std::streamsize>(m_size));
        m_size = 0;
    }

private:
    static constexpr std::size_t kSize = 1 << 16;
    // Room for any number written without a size check.
    static constexpr std::size_t kNumber = 64;
    char* reserve()
    {
        if (kSize - m_size < kNumber)
            flush();
        return m_data + m_size;
    }

    std::ostream& m_out;
    std::size_t m_size = 0;
    char m_data[kSize];
};

} // namespace cli
