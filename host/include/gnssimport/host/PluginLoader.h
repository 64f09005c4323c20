// Loads a plug-in library, creates its plug-in object and reads its
// descriptor.
#pragma once

#include <gnssimport/Plugin.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
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

// One reference to an object of a plug-in library that also keeps the
// library loaded: the object is released before the library may close.
template <class T>
class PluginObject {
public:
    PluginObject() = default;
    // Adopts the one reference the caller holds on object.
    PluginObject(T* object, std::shared_ptr<void> library) noexcept : m_object(object), m_library(std::move(library)) {}
    PluginObject(PluginObject&& other) noexcept { *this = std::move(other); }
    PluginObject& operator=(PluginObject&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_object = std::exchange(other.m_object, nullptr);
            m_library = std::move(other.m_library);
        }
        return *this;
    }
    PluginObject(const PluginObject&) = delete;
    PluginObject& operator=(const PluginObject&) = delete;
    ~PluginObject() { reset(); }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // QueryInterface on the object, the result kept the same way.
    template <class U>
    PluginObject<U> query(Plugin::InterfaceID id) const
    {
        U* found = m_object ? static_cast<U*>(m_object->QueryInterface(id)) : nullptr;
        return PluginObject<U>(found, found ? m_library : nullptr);
    }
    // Hands the reference to the caller, who then keeps the library loaded
    // for it some other way.
    T* release() noexcept
    {
        m_library.reset();
        return std::exchange(m_object, nullptr);
    }
    void reset() noexcept
    {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
        m_library.reset();
    }

private:
    T* m_object = nullptr;
    std::shared_ptr<void> m_library;
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
    // A new plug-in object from the same library; it keeps the library
    // loaded after this LoadedPlugin is gone.
    PluginObject<Plugin::IPlugin2> createAnother() const;
    // The library, shared: holding it keeps the library loaded, say for an
    // object reached through plugin() and AddRef.
    const std::shared_ptr<void>& library() const { return m_library; }

private:
    LoadedPlugin() = default;
    void reset() noexcept;

    std::string m_path;
    std::shared_ptr<void> m_library; // the dlopen handle, closed by its last owner
    CreatePlugin2Func m_create = nullptr;
    Plugin::ISatelliteMIP* m_plugin = nullptr; // holds the QueryInterface reference
    std::wstring m_descriptorText;
    PluginDescriptor m_descriptor;
};

} // namespace host
