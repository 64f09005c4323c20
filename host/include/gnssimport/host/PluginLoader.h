// Loads a plug-in library, creates its plug-in object and reads its
// descriptor.
#pragma once

#include <gnssimport/Plugin.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace host {

class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PluginDescriptor {
    std::wstring name;
    std::wstring guid;
    int version = 0;
    std::wstring filterName;
    std::wstring filter; // e.g. "*.txt;*.tvf"

    // Parses the JSON object a plug-in hands out; false when the text is not
    // a JSON object, lacks a "name", or holds a known member of another
    // type than text (an integer for "version"). Other members are ignored.
    bool parse(const std::wstring& json);
    std::vector<std::wstring> patterns() const;
    // True when fileName (its last path component) matches a pattern,
    // case-insensitively.
    bool matches(const std::wstring& fileName) const;
};

class LoadedPlugin {
public:
    // dlopen flags default to RTLD_NOW | RTLD_LOCAL. Throws LoadError for
    // a missing or unloadable file, a missing CreatePlugin2, a null plug-in,
    // one without ISatelliteMIP, or an unreadable descriptor.
    static LoadedPlugin load(const std::string& path, int dlopenFlags = 0);

    LoadedPlugin(LoadedPlugin&& other) noexcept;
    LoadedPlugin& operator=(LoadedPlugin&& other) noexcept;
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;
    ~LoadedPlugin();

    Plugin::ISatelliteMIP* plugin() const { return m_plugin; }
    const std::string& path() const { return m_path; }
    const std::wstring& descriptorText() const { return m_descriptorText; }
    const PluginDescriptor& descriptor() const { return m_descriptor; }
    // A new plug-in object from the same library (one reference, caller owns).
    Plugin::IPlugin2* createAnother() const;

private:
    LoadedPlugin() = default;
    void reset() noexcept;

    std::string m_path;
    void* m_handle = nullptr;
    CreatePlugin2Func m_create = nullptr;
    Plugin::ISatelliteMIP* m_plugin = nullptr; // holds the QueryInterface reference
    std::wstring m_descriptorText;
    PluginDescriptor m_descriptor;
};

} // namespace host
