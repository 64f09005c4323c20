// The host's property list view and the plug-in side that drives it.
#pragma once

#include "BaseTypes.h"

namespace Plugin {

// Positions 1-4, 6-11, 13 and 14 exist in the host's table but are never
// called by plug-ins.
class IPropertyListView {
public:
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;
    virtual void Reserved3() = 0;
    virtual void Reserved4() = 0;
    virtual void GetPropertyValue(int propId, IString* value) = 0;
    virtual void Reserved6() = 0;
    virtual void Reserved7() = 0;
    virtual void Reserved8() = 0;
    virtual void Reserved9() = 0;
    virtual void Reserved10() = 0;
    virtual void Reserved11() = 0;
    virtual void LoadFromXml(const wchar_t* xml) = 0;
    virtual void Reserved13() = 0;
    virtual void Reserved14() = 0;
    virtual void SetPropertyValue(int propId, const wchar_t* value) = 0;
};

class IPropertyListViewController {
public:
    virtual void OnPropertyListViewInit(IPropertyListView* view) = 0;
    virtual bool OnNewPropertyValueValidate(int propertyId) = 0;
    virtual bool OnAllPropertiesValidate() = 0;
    virtual void OnPropertyListViewOK() = 0;
    virtual void OnPropertyListViewCancel() = 0;
};

} // namespace Plugin
