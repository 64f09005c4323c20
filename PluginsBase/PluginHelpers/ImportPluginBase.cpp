#include "ImportPluginBase.h"

#include <cwchar>

namespace Plugin {

int copyPluginInfo(const wchar_t* descriptor, wchar_t* buffer, int size)
{
    const int n = static_cast<int>(std::wcslen(descriptor));
    if (n < size && buffer)
        strutils::str_copy_n(descriptor, static_cast<std::size_t>(n), buffer);
    return n;
}

} // namespace Plugin
