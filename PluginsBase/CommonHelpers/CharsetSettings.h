// The "charset" setting every plug-in reads from the host's settings store.
#pragma once

#include <gnssimport/Settings.h>

#include <string>

namespace Plugin {

struct CharsetSettings {
    std::string m_charset; // UTF-8; empty means the host's default or detection
};

// Reads the "charset" key (default empty) and returns it as UTF-8.
std::string getPluginCharset(ISettings* settings);

} // namespace Plugin
