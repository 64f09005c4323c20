// The plug-in interfaces a host obtains from CreatePlugin2.
//
// The contract between a host and a plug-in library:
// - Lifetime: CreatePlugin2 returns a new object carrying one reference that
//   the caller owns; every reference (also those QueryInterface hands out)
//   is dropped with Release, and the object deletes itself at zero. All of
//   them must be released before the host calls dlclose on the library: the
//   object's code lives there.
// - Threads: plug-ins start no thread and lock nothing. AddRef and Release
//   may be called from any thread; every other operation expects one caller
//   at a time, on any one thread, and DoImport is not re-entrant on one
//   object.
// - Ownership of host objects: the import target, the file list, the
//   settings store and the property list view stay the host's; a plug-in
//   keeps plain pointers to them only while a call runs (the import target
//   until the next DoImport). Strings cross as const wchar_t* valid for the
//   call, or in IString objects owned by the side that created them.
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
    // Read and write the plug-in's settings in the host's store; settings
    // is not kept after the call.
    virtual void LoadSettings(ISettings* settings) = 0;
    virtual void SaveSettings(ISettings* settings) const = 0;
    // Null when the plug-in has no settings for the user to edit. Otherwise
    // a part of the plug-in object itself: not reference counted, never
    // released by the host, valid while the host holds a reference on the
    // plug-in.
    virtual IPropertyListViewController* GetPropertyListViewController() = 0;
};

// An import plug-in: QueryInterface(IID_ISatelliteMIP) on what
// CreatePlugin2 returns.
class ISatelliteMIP : public IPlugin2 {
public:
    // Imports every path of files into target, reporting format errors
    // through target. Exceptions of any type may leave it (a null path
    // std::logic_error, text that cannot be converted std::range_error,
    // std::bad_alloc ...): the files after the failing one are then not
    // read, and what was sent before stays sent. A host catches everything
    // around the call.
    virtual void DoImport(IEnumerator<const wchar_t*>* files, ISatImportTarget* target) = 0;
};

} // namespace Plugin

// The one symbol each plug-in library exports.
extern "C" {
typedef Plugin::IPlugin2* (*CreatePlugin2Func)();
}
