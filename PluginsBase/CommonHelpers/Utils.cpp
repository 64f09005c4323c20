#include "Utils.h"

#include "strutils.h"

#include <clocale>
#include <cmath>
#include <stdexcept>

namespace Plugin {

std::filesystem::path toPath(const std::wstring& s)
{
    return std::filesystem::path(strutils::toUtf8(s));
}

namespace Utils {

double stringToDouble(std::wstring s)
{
    const char* point = std::localeconv()->decimal_point;
    const wchar_t mark = (point && *point) ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
    for (wchar_t& c : s) {
        if ((c == L',' || c == L'.') && c != mark)
            c = mark;
    }
    try {
        const double value = std::stod(s);
        return std::isfinite(value) ? value : 0.0;
    } catch (const std::invalid_argument&) {
        return 0.0;
    } catch (const std::out_of_range&) {
        return 0.0;
    }
}

} // namespace Utils
} // namespace Plugin
