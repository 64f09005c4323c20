// Host-side unit converters: the plug-ins turn angle texts into radians
// through these.
#pragma once

#include "BaseTypes.h"

namespace Plugin {

namespace AngleConverter {
enum Type {
    fromRadians = 0,
    fromDMS = 1,
    fromDMX = 2,
    fromDXX = 3,
    fromGon = 4,
    fromMil = 5
};
}

class IAngleConverter : public IRefCounted {
public:
    // True when text is an angle in this converter's notation; value is in radians.
    virtual bool Convert(const wchar_t* text, double& value) = 0;
};

class IUnitConvertersFactory : public IRefCounted {
public:
    // The returned converter carries one reference for the caller.
    virtual IAngleConverter* CreateAngleConverter(AngleConverter::Type type) = 0;
};

} // namespace Plugin
