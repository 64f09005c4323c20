// QueryInterface shared by every plug-in object.
#pragma once

#include <gnssimport/Plugin.h>
#include "RefCounted.h"

namespace Plugin {

template <class I>
class CPluginImpl : public CRefCountedImpl<I, true> {
public:
    void* QueryInterface(InterfaceID id) override
    {
        if (id == IID_IPlugin || id == IID_ISatelliteMIP) {
            this->AddRef();
            return static_cast<I*>(this);
        }
        return nullptr;
    }
};

} // namespace Plugin
