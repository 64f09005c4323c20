// The shared text helpers on arbitrary bytes: the buffer line splitter
// against the stream one, the UTF-8 round trip, locale decoding and
// stringToDouble against a plain std::stod reading.
#include "CommonHelpers/FileBytes.h"
#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
        std::abort();
    }
}

// Widens each byte on its own: every line keeps its length.
class ByteWidener : public Plugin::ICharConverter {
public:
    std::wstring convertString(const std::string& bytes) override
    {
        std::wstring out;
        for (unsigned char c : bytes)
            out += static_cast<wchar_t>(c);
        return out;
    }
};

// The number rule read the plain way: the decimal marks made the locale's,
// then std::stod; 0 for no number, out of range, infinity or NaN.
double referenceStringToDouble(std::wstring s)
{
    const char* point = std::localeconv()->decimal_point;
    const wchar_t mark = (point && *point) ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
    for (wchar_t& c : s)
        if ((c == L',' || c == L'.') && c != mark)
            c = mark;
    try {
        const double value = std::stod(s);
        return std::isfinite(value) ? value : 0.0;
    } catch (const std::logic_error&) {
        return 0.0;
    }
}

// A locale whose decimal mark is a comma, when one is installed.
const char* commaLocale()
{
    static const char* const found = [] () -> const char* {
        for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
                std::setlocale(LC_NUMERIC, "C");
                return name;
            }
        }
        std::setlocale(LC_NUMERIC, "C");
        return nullptr;
    }();
    return found;
}

void checkNumberHere(const std::wstring& text)
{
    const double value = Plugin::Utils::stringToDouble(text);
    const double expected = referenceStringToDouble(text);
    check(std::isfinite(value), "non-finite number");
    check(std::memcmp(&value, &expected, sizeof value) == 0, "stringToDouble differs from std::stod");
}

// stringToDouble must agree with the plain reading to the bit, sign of
// zero included, whatever shortcuts it takes, with "." and "," as the
// locale's decimal mark.
void checkNumber(const std::wstring& text)
{
    checkNumberHere(text);
    if (const char* comma = commaLocale()) {
        std::setlocale(LC_NUMERIC, comma);
        checkNumberHere(text);
        std::setlocale(LC_NUMERIC, "C");
    }
}

void checkLines(const std::string& bytes)
{
    std::vector<std::string> fromBuffer;
    std::string line;
    std::size_t pos = 0;
    while (strutils::nextLine(bytes, pos, line)) {
        check(line.find_first_of("\r\n") == std::string::npos, "terminator inside a line");
        fromBuffer.push_back(line);
    }
    check(pos == bytes.size(), "buffer not consumed");

    std::istringstream in(bytes);
    std::vector<std::string> fromStream;
    while (strutils::safeGetline(in, line))
        fromStream.push_back(line);
    check(fromBuffer == fromStream, "buffer and stream split lines differently");

    ByteWidener widener;
    const std::vector<std::wstring> wide = Plugin::splitLines(bytes, widener);
    check(wide.size() == fromBuffer.size(), "splitLines count differs");
    for (std::size_t i = 0; i < wide.size(); ++i)
        check(wide[i].size() == fromBuffer[i].size(), "splitLines length differs");
}

void checkText(const std::string& bytes)
{
    try {
        const std::wstring wide = strutils::fromUtf8(bytes);
        check(strutils::toUtf8(wide) == bytes, "UTF-8 round trip changed the text");
        checkNumber(wide);
    } catch (const std::range_error&) {
        // Invalid UTF-8 is refused; that is the documented outcome.
    }
    const std::wstring local = strutils::fromLocal8Bit(bytes);
    check(local.size() <= bytes.size(), "locale decoding grew the text");
    checkNumber(local);

    std::wstring widened;
    for (unsigned char c : bytes)
        widened += static_cast<wchar_t>(c);
    checkNumber(widened);
}

// The bytes read as 4-byte wide units: what toUtf8 accepts must come back
// as the same UTF-8 (units above U+FFFF return as surrogate pairs).
void checkWide(const std::string& bytes)
{
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    if (!wide.empty())
        std::memcpy(&wide[0], bytes.data(), wide.size() * sizeof(wchar_t));
    try {
        const std::string utf8 = strutils::toUtf8(wide);
        check(strutils::toUtf8(strutils::fromUtf8(utf8)) == utf8, "wide round trip changed the text");
    } catch (const std::range_error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkLines(bytes);
    checkText(bytes);
    checkWide(bytes);
    return 0;
}
