// Small string utilities: UTF-8 and locale conversion, line splitting,
// message formatting.
#pragma once

#include <cstddef>
#include <cwchar>
#include <istream>
#include <locale>
#include <string>
#include <vector>

namespace strutils {

// UTF-8 conversion with wide text taken as UTF-16 code units (characters
// above U+FFFF become surrogate pairs). Invalid input throws std::range_error.
std::string toUtf8(const std::wstring& s);
std::wstring fromUtf8(const std::string& s);

// Decodes bytes by the current C locale; stops silently at the first byte
// sequence the locale cannot decode or at a NUL byte.
std::wstring fromLocal8Bit(const std::string& bytes);
void fromLocal8Bit(const char* bytes, std::size_t size, std::wstring& out);

// Reads one line ended by LF, CR LF or a lone CR (terminator dropped). A
// final line without terminator is returned; when nothing is left the
// stream's eof state is set and line is empty.
std::istream& safeGetline(std::istream& is, std::string& line);

// The same rule over a memory buffer: takes the line starting at pos into
// line, advances pos past its terminator, and returns false when no line is
// left.
bool nextLine(const std::string& data, std::size_t& pos, std::string& line);

// Splits text at every separator character (any of separators), keeping
// empty fields: n separators give n + 1 fields, an empty text one empty
// field. The strings already in fields are reused, so that a parser that
// keeps its field list allocates nothing per line once lines repeat.
void splitInto(const std::wstring& text, wchar_t separator, std::vector<std::wstring>& fields);
void splitInto(const std::wstring& text, const std::wstring& separators, std::vector<std::wstring>& fields);

// A piece of a wide text: [begin, end).
struct TextRange {
    const wchar_t* begin;
    const wchar_t* end;
    std::wstring str() const { return std::wstring(begin, end); }
};
// s made a copy of [begin, end): resized, which fills only what it grows by,
// then copied over. For the short fields of a record this costs a fraction
// of assign's general replace.
inline void assignRange(std::wstring& s, const wchar_t* begin, const wchar_t* end)
{
    const auto size = static_cast<std::size_t>(end - begin);
    s.resize(size);
    if (size)
        std::wmemcpy(&s[0], begin, size);
}

// The same split of [begin, end) into pieces of it, copying nothing.
void splitInto(const wchar_t* begin, const wchar_t* end, const std::wstring& separators,
               std::vector<TextRange>& fields);

namespace detail {
// The split at one separator without the AVX2 path that splitInto takes
// where the processor has it: the tests check both on such machines.
void splitIntoBaseline(const wchar_t* begin, const wchar_t* end, wchar_t separator, std::vector<TextRange>& fields);
} // namespace detail

// Replaces the first "%ls" of format by arg (no length limit).
std::wstring format1(const std::wstring& format, const std::wstring& arg);

// Copies n characters of src to dst and terminates them with NUL.
void str_copy_n(const wchar_t* src, std::size_t n, wchar_t* dst);

} // namespace strutils
