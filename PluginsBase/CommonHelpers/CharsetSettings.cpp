#include "CharsetSettings.h"

#include "../PluginHelpers/StringImpl.h"
#include "strutils.h"

namespace Plugin {

std::string getPluginCharset(ISettings* settings)
{
    StringImpl value;
    settings->ReadString(L"charset", &value, L"");
    return strutils::toUtf8(value.string());
}

} // namespace Plugin
