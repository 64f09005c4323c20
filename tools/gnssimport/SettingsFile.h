// The settings the plug-ins get: the --settings file, overridden by
// --charset and --set, and written back with what the plug-ins save.
#pragma once

#include "Options.h"
#include "PluginCatalog.h"

#include <gnssimport/host/SettingsStore.h>

#include <set>
#include <string>

namespace cli {

class SettingsFile {
public:
    // Reads options.settingsFile when given and present (a missing file is
    // an empty store); throws std::runtime_error on an unreadable one.
    explicit SettingsFile(const Options& options);

    // The stored settings with the command line's overrides.
    const host::SettingsStore& effective() const { return m_effective; }
    // Lets the loaded plug-ins save into the stored settings, keys given on
    // the command line excepted, and writes the file when that changed
    // anything; throws std::runtime_error on failure.
    void saveBack(const PluginCatalog& catalog) const;

private:
    void override(const std::wstring& key, const std::wstring& value);

    std::string m_path;
    std::set<std::wstring> m_overridden;
    host::SettingsStore m_stored;
    host::SettingsStore m_effective;
};

} // namespace cli
