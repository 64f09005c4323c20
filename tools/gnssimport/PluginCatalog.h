// Finds the plug-in libraries (gnssimport-*.so) and loads them on demand.
#pragma once

#include <gnssimport/host/PluginLoader.h>
#include <gnssimport/host/SettingsStore.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace cli {

struct PluginEntry {
    std::string name; // file name without "gnssimport-" and ".so"
    std::filesystem::path path;
    std::unique_ptr<host::LoadedPlugin> loaded;
    std::string failure; // why it could not be loaded, once tried
};

class PluginCatalog {
public:
    // Searches dirs in order; a name found in an earlier dir hides later ones.
    // Every plug-in gets settings through LoadSettings when it is loaded.
    PluginCatalog(const std::vector<std::filesystem::path>& dirs, const host::SettingsStore& settings);

    // The default search path: explicit dirs, then the install location and
    // the build-tree folder relative to the running executable.
    static std::vector<std::filesystem::path> searchPath(const std::vector<std::string>& explicitDirs);

    std::vector<PluginEntry>& entries() { return m_entries; }
    // Loads one entry (once); throws host::LoadError.
    host::LoadedPlugin& load(PluginEntry& entry);
    // Loads every entry; one that fails is skipped and stays unloaded.
    // Returns one message per plug-in skipped, naming it and why.
    std::vector<std::string> loadAll();
    // A plug-in by file path (anything with a "/" or ending in ".so"), by
    // short name or by descriptor name; throws host::LoadError when none.
    PluginEntry& resolve(const std::string& nameOrPath);
    // SaveSettings of every loaded plug-in into store.
    void saveSettings(host::SettingsStore& store) const;

private:
    std::vector<PluginEntry> m_entries;
    host::SettingsStore m_settings;
};

} // namespace cli
