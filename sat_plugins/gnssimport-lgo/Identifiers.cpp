#include "Identifiers.h"

#include "PluginHelpers/StringImpl.h"

// Ordered by property id.
const CIdentifiers::Property CIdentifiers::s_properties[PropertyID::count] = {
    {PropertyID::pointID, L"point_id", &CIdentifiers::m_pointId, L"Point Id"},
    {PropertyID::latitude, L"latitude", &CIdentifiers::m_latitude, L"Latitude"},
    {PropertyID::longitude, L"longitude", &CIdentifiers::m_longitude, L"Longitude"},
    {PropertyID::referenceId, L"reference_id", &CIdentifiers::m_referenceId, L"Reference Id"},
    {PropertyID::roverId, L"rover_id", &CIdentifiers::m_roverId, L"Rover Id"},
    {PropertyID::dX, L"dx", &CIdentifiers::m_dX, L"dX"},
    {PropertyID::dY, L"dy", &CIdentifiers::m_dY, L"dY"},
    {PropertyID::dZ, L"dz", &CIdentifiers::m_dZ, L"dZ"},
    {PropertyID::q11, L"q11", &CIdentifiers::m_Q11, L"Q11"},
    {PropertyID::q22, L"q22", &CIdentifiers::m_Q22, L"Q22"},
    {PropertyID::q33, L"q33", &CIdentifiers::m_Q33, L"Q33"},
    {PropertyID::ellipHgt, L"ellip_Hgt", &CIdentifiers::m_EllipHgt, L"Ellip. Hgt."},
};

const CIdentifiers CIdentifiers::s_default = CIdentifiers::defaultIdentifiers();

CIdentifiers CIdentifiers::defaultIdentifiers()
{
    CIdentifiers ids;
    for (const Property& p : s_properties)
        ids.*p.member = p.defaultText;
    return ids;
}

void CIdentifiers::LoadSettings(Plugin::ISettings* settings)
{
    for (const Property& p : s_properties) {
        Plugin::StringImpl value;
        settings->ReadString(p.key, &value, (this->*p.member).c_str());
        this->*p.member = value.c_str();
    }
}

void CIdentifiers::SaveSettings(Plugin::ISettings* settings) const
{
    for (const Property& p : s_properties) {
        Plugin::StringImpl value(this->*p.member);
        settings->WriteString(p.key, &value);
    }
}

void CIdentifiers::InitConfig(Plugin::IPropertyListView* view) const
{
    view->LoadFromXml(EditorDescription());
    for (const Property& p : s_properties)
        view->SetPropertyValue(p.id, (this->*p.member).c_str());
}

void CIdentifiers::SaveConfig(Plugin::IPropertyListView* view)
{
    for (const Property& p : s_properties) {
        Plugin::StringImpl value;
        view->GetPropertyValue(p.id, &value);
        this->*p.member = value.c_str();
    }
}
