// The twelve column names the LGO importer looks for, as configured by the
// user; an empty identifier stands for the default of its column.
#pragma once

#include <gnssimport/PropertyListView.h>
#include <gnssimport/Settings.h>

#include <string>

namespace PropertyID {
// Property ids shared with the property list view (the propid attributes
// of the editor description).
enum Type {
    pointID = 0,
    latitude = 1,
    longitude = 2,
    referenceId = 3,
    roverId = 4,
    dX = 5,
    dY = 6,
    dZ = 7,
    q11 = 8,
    q22 = 9,
    q33 = 10,
    ellipHgt = 11
};
constexpr int count = 12;
} // namespace PropertyID

class CIdentifiers {
public:
    static const CIdentifiers s_default;
    static CIdentifiers defaultIdentifiers();

    // Each setting is read with the current text as its default, so keys
    // missing from the store leave their identifier unchanged.
    void LoadSettings(Plugin::ISettings* settings);
    void SaveSettings(Plugin::ISettings* settings) const;

    // Fills the view with the editor description and the configured texts
    // (empty fields for unconfigured identifiers).
    void InitConfig(Plugin::IPropertyListView* view) const;
    // Takes all twelve texts back from the view, empty ones included.
    void SaveConfig(Plugin::IPropertyListView* view);

    // The configured identifier, or the default when it is empty.
    std::wstring PointId() const { return effective(&CIdentifiers::m_pointId); }
    std::wstring Latitude() const { return effective(&CIdentifiers::m_latitude); }
    std::wstring Longitude() const { return effective(&CIdentifiers::m_longitude); }
    std::wstring ReferenceId() const { return effective(&CIdentifiers::m_referenceId); }
    std::wstring RoverId() const { return effective(&CIdentifiers::m_roverId); }
    std::wstring dX() const { return effective(&CIdentifiers::m_dX); }
    std::wstring dY() const { return effective(&CIdentifiers::m_dY); }
    std::wstring dZ() const { return effective(&CIdentifiers::m_dZ); }
    std::wstring Q11() const { return effective(&CIdentifiers::m_Q11); }
    std::wstring Q22() const { return effective(&CIdentifiers::m_Q22); }
    std::wstring Q33() const { return effective(&CIdentifiers::m_Q33); }
    std::wstring EllipHgt() const { return effective(&CIdentifiers::m_EllipHgt); }

    // The editor description handed to the view.
    static const wchar_t* EditorDescription();

private:
    using Member = std::wstring CIdentifiers::*;
    struct Property {
        PropertyID::Type id;
        const wchar_t* key;
        Member member;
        const wchar_t* defaultText;
    };
    static const Property s_properties[PropertyID::count];

    std::wstring effective(Member member) const
    {
        return (this->*member).empty() ? s_default.*member : this->*member;
    }

    std::wstring m_pointId;
    std::wstring m_latitude;
    std::wstring m_longitude;
    std::wstring m_referenceId;
    std::wstring m_roverId;
    std::wstring m_dX;
    std::wstring m_dY;
    std::wstring m_dZ;
    std::wstring m_Q11;
    std::wstring m_Q22;
    std::wstring m_Q33;
    std::wstring m_EllipHgt;
};
