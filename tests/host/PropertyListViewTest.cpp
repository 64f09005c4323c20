// The in-memory property list view: reading the editor description and the
// host's editing cycle around a controller.
#include <gnssimport/host/MemoryPropertyListView.h>
#include "PluginHelpers/StringImpl.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The LGO plug-in's editor description, character for character.
const wchar_t* const kLgoEditor =
    L"\n<PluginSettings text=\"Настройки\" type=\"editor\" editorclass=\"CParamSettingsEditor\">\n"
    L"    <SettingsGroup text=\"Настройка идентификаторов колонок\" type=\"node\">\n"
    L"        <pointID     text=\"Имя точки (по умолч. 'Point Id')\" type=\"string\" propid=\"0\"/>\n"
    L"        <latitude    text=\"Широта (по умолч. 'Latitude')\" type=\"string\" propid=\"1\"/>\n"
    L"        <longitude   text=\"Долгота (по умолч. 'Longitude')\" type=\"string\" propid=\"2\"/>\n"
    L"        <referenceId text=\"Начало вектора (по умолч. 'Reference Id')\" type=\"string\" propid=\"3\"/>\n"
    L"        <roverId     text=\"Конец вектора (по умолч. 'Rover Id')\" type=\"string\" propid=\"4\"/>\n"
    L"        <dX          text=\"dX (по умолч. 'dX')\" type=\"string\" propid=\"5\"/>\n"
    L"        <dY          text=\"dY (по умолч. 'dY')\" type=\"string\" propid=\"6\"/>\n"
    L"        <dZ          text=\"dZ (по умолч. 'dZ')\" type=\"string\" propid=\"7\"/>\n"
    L"        <q11         text=\"SigX в квадрате (по умолч. 'Q11')\" type=\"string\" propid=\"8\"/>\n"
    L"        <q22         text=\"SigY в квадрате (по умолч. 'Q22')\" type=\"string\" propid=\"9\"/>\n"
    L"        <q33         text=\"SigZ в квадрате (по умолч. 'Q33')\" type=\"string\" propid=\"10\"/>\n"
    L"        <ellipHgt    text=\"Эллипсоидальная высота (по умолч. 'Ellip. Hgt.')\" type=\"string\" propid=\"11\"/>\n"
    L"    </SettingsGroup>\n"
    L"</PluginSettings>\n";

std::wstring valueOf(host::MemoryPropertyListView& view, int propId)
{
    Plugin::StringImpl value(L"stale");
    view.GetPropertyValue(propId, &value);
    return value.string();
}

TEST(PropertyListView, ReadsLgoEditorDescription)
{
    ASSERT_EQ(std::wstring(kLgoEditor).size(), 1243u);
    host::MemoryPropertyListView view;
    view.LoadFromXml(kLgoEditor);
    EXPECT_EQ(view.xml(), kLgoEditor);

    const wchar_t* const elements[] = {L"pointID", L"latitude", L"longitude", L"referenceId",
                                       L"roverId", L"dX",       L"dY",        L"dZ",
                                       L"q11",     L"q22",      L"q33",       L"ellipHgt"};
    const auto& fields = view.fields();
    ASSERT_EQ(fields.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(fields[i].propId, i);
        EXPECT_EQ(fields[i].element, elements[i]);
        EXPECT_EQ(fields[i].type, L"string");
        EXPECT_EQ(fields[i].value, L"");
    }
    EXPECT_EQ(fields[0].label, L"Имя точки (по умолч. 'Point Id')");
    EXPECT_EQ(fields[11].label, L"Эллипсоидальная высота (по умолч. 'Ellip. Hgt.')");
}

TEST(PropertyListView, GetAndSetByPropertyId)
{
    host::MemoryPropertyListView view;
    view.LoadFromXml(kLgoEditor);
    view.SetPropertyValue(11, L"Высота");
    view.SetPropertyValue(0, nullptr);
    view.SetPropertyValue(12, L"ignored");
    view.SetPropertyValue(-1, L"ignored");
    EXPECT_EQ(valueOf(view, 11), L"Высота");
    EXPECT_EQ(valueOf(view, 0), L"");
    EXPECT_EQ(valueOf(view, 12), L"");
    view.GetPropertyValue(11, nullptr);

    EXPECT_TRUE(view.edit(3, L"Base"));
    EXPECT_FALSE(view.edit(99, L"x"));
    EXPECT_EQ(valueOf(view, 3), L"Base");

    // A new description replaces the fields and their values.
    view.LoadFromXml(L"<r><a propid=\"3\" text=\"A\"/></r>");
    ASSERT_EQ(view.fields().size(), 1u);
    EXPECT_EQ(valueOf(view, 3), L"");
    EXPECT_EQ(valueOf(view, 11), L"");
}

TEST(PropertyListView, ToleratesXmlVariants)
{
    host::MemoryPropertyListView view;
    view.LoadFromXml(L"<?xml version=\"1.0\"?>\n<!DOCTYPE x>\n<!-- <b propid=\"9\"/> -->"
                     L"<root note='a > b'>text &amp; more<![CDATA[<c propid=\"8\"/>]]>"
                     L"<a text='a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos; &#1055;&#x440; &foo; &#xD800; & x'"
                     L" type=\"t\" propid = \"2\" ></a>"
                     L"<noid text=\"skipped\"/><badid propid=\"two\"/><bigid propid=\"99999999999\"/>"
                     L"<b\tpropid=\"-1\"\n/></root >");
    const auto& fields = view.fields();
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].propId, 2);
    EXPECT_EQ(fields[0].element, L"a");
    EXPECT_EQ(fields[0].label, L"a & b <c> \"d\" 'e' \u041F\u0440 &foo; &#xD800; & x");
    EXPECT_EQ(fields[0].type, L"t");
    EXPECT_EQ(fields[1].propId, -1);
    EXPECT_EQ(fields[1].element, L"b");
}

TEST(PropertyListView, MalformedXmlGivesNoFields)
{
    const wchar_t* const cases[] = {
        L"<a propid=\"1\">",
        L"<a propid=\"1\"/></b>",
        L"<a><b propid=\"1\"/></c></a>",
        L"<a propid=1/>",
        L"<a propid/>",
        L"<a propid=\"1\"",
        L"<a text=\"x/>",
        L"<!-- unterminated <a propid=\"1\"/>",
        L"<?pi <a propid=\"1\"/>",
        L"<![CDATA[ <a propid=\"1\"/>",
        L"< a propid=\"1\"/>",
        L"<a propid=\"1\"/></>",
        L"<",
    };
    for (const wchar_t* xml : cases) {
        host::MemoryPropertyListView view;
        view.LoadFromXml(kLgoEditor);
        view.LoadFromXml(xml);
        EXPECT_TRUE(view.fields().empty()) << testing::PrintToString(std::wstring(xml));
    }
    host::MemoryPropertyListView view;
    view.LoadFromXml(kLgoEditor);
    view.LoadFromXml(nullptr);
    EXPECT_TRUE(view.fields().empty());
    EXPECT_TRUE(view.xml().empty());
}

// Behaves like the LGO plug-in: fills the view on init, reads it back on OK.
class FakeController : public Plugin::IPropertyListViewController {
public:
    void OnPropertyListViewInit(Plugin::IPropertyListView* view) override
    {
        calls.push_back(L"init");
        m_view = view;
        view->LoadFromXml(kLgoEditor);
        for (int id = 0; id < 12; ++id)
            view->SetPropertyValue(id, ids[id].c_str());
    }
    bool OnNewPropertyValueValidate(int propertyId) override
    {
        calls.push_back(L"validate " + std::to_wstring(propertyId));
        return propertyId != refuse;
    }
    bool OnAllPropertiesValidate() override
    {
        calls.push_back(L"all");
        return acceptAll;
    }
    void OnPropertyListViewOK() override
    {
        calls.push_back(L"ok");
        for (int id = 0; id < 12; ++id) {
            Plugin::StringImpl value;
            m_view->GetPropertyValue(id, &value);
            ids[id] = value.string();
        }
    }
    void OnPropertyListViewCancel() override { calls.push_back(L"cancel"); }

    std::wstring ids[12];
    std::vector<std::wstring> calls;
    int refuse = -1;
    bool acceptAll = true;

private:
    Plugin::IPropertyListView* m_view = nullptr;
};

using Calls = std::vector<std::wstring>;

TEST(PropertyEditSession, OkValidatesEditedFieldsThenConfirms)
{
    FakeController controller;
    controller.ids[0] = L"Name";
    host::PropertyEditSession session(&controller);
    EXPECT_EQ(session.view().fields().size(), 12u);
    EXPECT_EQ(valueOf(session.view(), 0), L"Name");

    EXPECT_TRUE(session.edit(11, L"H"));
    EXPECT_TRUE(session.edit(0, L""));
    EXPECT_TRUE(session.edit(11, L"Height"));
    EXPECT_FALSE(session.edit(12, L"x"));
    EXPECT_TRUE(session.view().edit(5, L"DX")); // typed straight into the view
    EXPECT_TRUE(session.ok());

    EXPECT_EQ(controller.calls, (Calls{L"init", L"validate 11", L"validate 0", L"validate 5", L"all", L"ok"}));
    EXPECT_EQ(controller.ids[0], L"");
    EXPECT_EQ(controller.ids[5], L"DX");
    EXPECT_EQ(controller.ids[11], L"Height");
}

TEST(PropertyEditSession, RefusalStopsBeforeConfirming)
{
    FakeController controller;
    controller.refuse = 3;
    host::PropertyEditSession session(&controller);
    session.edit(3, L"Base");
    session.edit(4, L"Rover");
    EXPECT_FALSE(session.ok());
    EXPECT_EQ(controller.calls, (Calls{L"init", L"validate 3"}));

    controller.refuse = -1;
    controller.acceptAll = false;
    controller.calls.clear();
    EXPECT_FALSE(session.ok());
    EXPECT_EQ(controller.calls, (Calls{L"validate 3", L"validate 4", L"all"}));
    EXPECT_EQ(controller.ids[3], L"");

    controller.calls.clear();
    session.cancel();
    EXPECT_EQ(controller.calls, (Calls{L"cancel"}));
    EXPECT_EQ(controller.ids[3], L"");
}

TEST(PropertyEditSession, OkWithoutEditsOnlyValidatesAll)
{
    FakeController controller;
    host::PropertyEditSession session(&controller);
    EXPECT_TRUE(session.ok());
    EXPECT_EQ(controller.calls, (Calls{L"init", L"all", L"ok"}));

    host::PropertyEditSession none(nullptr);
    EXPECT_TRUE(none.view().fields().empty());
    EXPECT_FALSE(none.ok());
    none.cancel();
}

} // namespace
