// An in-memory property list view built from an editor description: one
// text field per element that carries a propid attribute.
#pragma once

#include <gnssimport/Plugin.h>

#include <map>
#include <string>
#include <vector>

namespace host {

struct PropertyField {
    int propId = 0;
    std::wstring element; // element name, e.g. "pointID"
    std::wstring label;   // its text attribute
    std::wstring type;    // its type attribute
    std::wstring value;
};

class MemoryPropertyListView : public Plugin::IPropertyListView {
public:
    void Reserved1() override {}
    void Reserved2() override {}
    void Reserved3() override {}
    void Reserved4() override {}
    void GetPropertyValue(int propId, Plugin::IString* value) override;
    void Reserved6() override {}
    void Reserved7() override {}
    void Reserved8() override {}
    void Reserved9() override {}
    void Reserved10() override {}
    void Reserved11() override {}
    void LoadFromXml(const wchar_t* xml) override;
    void Reserved13() override {}
    void Reserved14() override {}
    void SetPropertyValue(int propId, const wchar_t* value) override;

    const std::vector<PropertyField>& fields() const { return m_fields; }
    const std::wstring& xml() const { return m_xml; }
    // Edits a field as a user would; false for an unknown property id.
    bool edit(int propId, const std::wstring& value);

private:
    PropertyField* find(int propId);

    std::wstring m_xml;
    std::vector<PropertyField> m_fields;
};

// The host's editing cycle: open the view through the controller, apply
// edits, then OK or Cancel.
class PropertyEditSession {
public:
    explicit PropertyEditSession(Plugin::IPropertyListViewController* controller);
    // The controller keeps a pointer to the view, so the session stays put.
    PropertyEditSession(const PropertyEditSession&) = delete;
    PropertyEditSession& operator=(const PropertyEditSession&) = delete;
    MemoryPropertyListView& view() { return m_view; }
    bool edit(int propId, const std::wstring& value);
    // Validates and confirms; false when the plug-in refused a value.
    bool ok();
    void cancel();

private:
    void markEdited(int propId);

    Plugin::IPropertyListViewController* m_controller;
    MemoryPropertyListView m_view;
    std::vector<int> m_edited;
    std::map<int, std::wstring> m_initial; // field values when shown or last confirmed
};

} // namespace host
