// Walks the lines of a byte buffer in place, with the terminators of
// strutils::nextLine (LF, CR LF, lone CR), so that a file is decoded one
// line at a time instead of being held as a list of lines.
#pragma once

#include <cstddef>
#include <string>

namespace Plugin {

class LineCursor {
public:
    LineCursor() = default;
    explicit LineCursor(const std::string& bytes) { reset(bytes); }

    // Starts over on bytes, which must outlive the cursor's use.
    void reset(const std::string& bytes);
    // The next line, terminator left out; false when no line is left.
    bool next(const char*& begin, std::size_t& size);
    // Bytes consumed so far.
    std::size_t position() const { return static_cast<std::size_t>(m_pos - m_begin); }

private:
    // The first CR or LF at or after m_pos, or m_end.
    const char* nextTerminator() const;

    const char* m_begin = nullptr;
    const char* m_pos = nullptr;
    const char* m_end = nullptr;
};

// The number of lines LineCursor (and strutils::nextLine) yields for bytes.
std::size_t countLines(const std::string& bytes);

} // namespace Plugin
