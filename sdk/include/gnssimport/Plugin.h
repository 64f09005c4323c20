// The plug-in interfaces a host obtains from CreatePlugin2.
#pragma once

#include "BaseTypes.h"
#include "ImportTarget.h"
#include "PropertyListView.h"
#include "Settings.h"

namespace Plugin {

class IPlugin2 : public IRefCounted {
public:
    // Non-null results carry one reference for the caller.
    virtual void* QueryInterface(InterfaceID id) = 0;
    // Copies the JSON descriptor into buffer when it fits (size > length);
    // always returns the length in characters.
    virtual int GetPluginInfo(wchar_t* buffer, int size) const = 0;
    virtual void LoadSettings(ISettings* settings) = 0;
    virtual void SaveSettings(ISettings* settings) const = 0;
    virtual IPropertyListViewController* GetPropertyListViewController() = 0;
};

class ISatelliteMIP : public IPlugin2 {
public:
    virtual void DoImport(IEnumerator<const wchar_t*>* files, ISatImportTarget* target) = 0;
};

} // namespace Plugin

// The one symbol each plug-in library exports.
extern "C" {
typedef Plugin::IPlugin2* (*CreatePlugin2Func)();
}
