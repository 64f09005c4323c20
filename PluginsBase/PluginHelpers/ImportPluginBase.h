// What the five plug-in objects share: the descriptor, the charset setting,
// the text converter and the loop over the host's file list.
#pragma once

#include "../CommonHelpers/CharsetSettings.h"
#include "../CommonHelpers/TargetCharConverter.h"
#include "../CommonHelpers/strutils.h"
#include "PluginImpl.h"

#include <stdexcept>
#include <string>

namespace Plugin {

// Copies descriptor into buffer when size exceeds its length; returns the length.
int copyPluginInfo(const wchar_t* descriptor, wchar_t* buffer, int size);

class CImportPluginBase : public CPluginImpl<ISatelliteMIP> {
public:
    int GetPluginInfo(wchar_t* buffer, int size) const override
    {
        return copyPluginInfo(m_descriptor, buffer, size);
    }
    void LoadSettings(ISettings* settings) override { m_charset.m_charset = getPluginCharset(settings); }
    void SaveSettings(ISettings*) const override {}
    IPropertyListViewController* GetPropertyListViewController() override { return nullptr; }

protected:
    explicit CImportPluginBase(const wchar_t* descriptor) : m_descriptor(descriptor) {}

    // The common import loop: sets up the converter for this import and
    // calls perFile(path) for every path of the list.
    template <class PerFile>
    void RunImport(IEnumerator<const wchar_t*>* files, ISatImportTarget* target, PerFile&& perFile)
    {
        auto* target3 = static_cast<ISatImportTarget3*>(target->QueryInterface(IID_ISatImportTarget3));
        m_converter.resetTarget(target3, strutils::fromUtf8(m_charset.m_charset));
        files->Reset();
        while (files->IsValid()) {
            const wchar_t* path = files->Current();
            if (!path)
                throw std::logic_error("null path in the import file list");
            perFile(std::wstring(path));
            files->MoveNext();
        }
    }

    CharsetSettings m_charset;
    TargetCharConverter<ISatImportTarget3> m_converter;

private:
    const wchar_t* m_descriptor;
};

} // namespace Plugin

// Builds the JSON descriptor of a plug-in from its name, guid ending and filter.
#define GNSSIMPORT_DESCRIPTOR(name, guidSuffix, filter)                                \
    L"\n{\n\"name\": \"" name L"\",\n\"guid\": \"org.gnssimport.sat_plugin." guidSuffix \
    L"\",\n\"version\": 1,\n\"filter_name\": \"" name L"\",\n\"filter\": \"" filter L"\"\n}\n"

namespace Plugin {

// A new T with one reference for the caller, or null when it cannot be
// made: no exception may leave the C entry point.
template <class T>
IPlugin2* createPlugin() noexcept
{
    try {
        T* plugin = new T();
        plugin->AddRef();
        return plugin;
    } catch (...) {
        return nullptr;
    }
}

} // namespace Plugin

// Defines the exported entry point that creates plug-in class T.
#define GNSSIMPORT_EXPORT_PLUGIN(T)                                      \
    extern "C" __attribute__((visibility("default"))) Plugin::IPlugin2* \
    CreatePlugin2()                                                      \
    {                                                                    \
        return Plugin::createPlugin<T>();                                \
    }
