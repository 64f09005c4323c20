// The host's settings store.
#pragma once

#include "BaseTypes.h"

namespace Plugin {

class ISettings {
public:
    // Fills value with the stored text of key, or with defaultValue.
    virtual bool ReadString(const wchar_t* key, IString* value, const wchar_t* defaultValue) = 0;
    virtual void Reserved2() = 0;
    virtual void Reserved3() = 0;
    virtual bool WriteString(const wchar_t* key, IString* value) = 0;
};

} // namespace Plugin
