// The twelve column identifiers: settings keys, the property list view's
// editing cycle, and their effect on the next import.
#include "LgoTestSupport.h"

#include "Identifiers.h"
#include <gnssimport/host/MemoryPropertyListView.h>

#include <gtest/gtest.h>

#include <map>

namespace {

const wchar_t* const kKeys[] = {L"point_id", L"latitude", L"longitude", L"reference_id", L"rover_id", L"dx",
                                L"dy",       L"dz",       L"q11",       L"q22",          L"q33",      L"ellip_Hgt"};

const wchar_t* const kEditorDescription = LR"xml(
<PluginSettings text="Настройки" type="editor" editorclass="CParamSettingsEditor">
    <SettingsGroup text="Настройка идентификаторов колонок" type="node">
        <pointID     text="Имя точки (по умолч. 'Point Id')" type="string" propid="0"/>
        <latitude    text="Широта (по умолч. 'Latitude')" type="string" propid="1"/>
        <longitude   text="Долгота (по умолч. 'Longitude')" type="string" propid="2"/>
        <referenceId text="Начало вектора (по умолч. 'Reference Id')" type="string" propid="3"/>
        <roverId     text="Конец вектора (по умолч. 'Rover Id')" type="string" propid="4"/>
        <dX          text="dX (по умолч. 'dX')" type="string" propid="5"/>
        <dY          text="dY (по умолч. 'dY')" type="string" propid="6"/>
        <dZ          text="dZ (по умолч. 'dZ')" type="string" propid="7"/>
        <q11         text="SigX в квадрате (по умолч. 'Q11')" type="string" propid="8"/>
        <q22         text="SigY в квадрате (по умолч. 'Q22')" type="string" propid="9"/>
        <q33         text="SigZ в квадрате (по умолч. 'Q33')" type="string" propid="10"/>
        <ellipHgt    text="Эллипсоидальная высота (по умолч. 'Ellip. Hgt.')" type="string" propid="11"/>
    </SettingsGroup>
</PluginSettings>
)xml";

// A loaded plug-in with a points file whose height column is named as
// given, and a lines file with the default names.
class Identifiers : public ::testing::Test {
protected:
    Identifiers() : m_loaded(host::LoadedPlugin::load(test::pluginPath("lgo"))) {}

    Plugin::ISatelliteMIP* plugin() const { return m_loaded.plugin(); }
    Plugin::IPropertyListViewController* controller() const { return plugin()->GetPropertyListViewController(); }

    std::wstring pointsFile(const std::string& heightColumn, const std::string& idColumn = "Point Id")
    {
        return m_dir.write("p" + std::to_string(++m_files) + ".txt",
                           lgo::table({{idColumn, "Latitude", "Longitude", heightColumn}, {"A", "55", "37", "1"}}, '\t'));
    }
    // Points found in one import of path.
    std::size_t pointsIn(const std::wstring& path) const
    {
        return lgo::import(plugin(), {path}).files().at(0).points.size();
    }
    std::map<std::wstring, std::wstring> saved() const
    {
        host::SettingsStore store;
        plugin()->SaveSettings(&store);
        return store.values();
    }

    test::TempDir m_dir;
    host::LoadedPlugin m_loaded;
    int m_files = 0;
};

TEST_F(Identifiers, EditorDescriptionIsTheExactText)
{
    host::PropertyEditSession session(controller());
    EXPECT_EQ(session.view().xml().size(), 1243u);
    EXPECT_EQ(session.view().xml(), kEditorDescription);
    const auto& fields = session.view().fields();
    ASSERT_EQ(fields.size(), 12u);
    const wchar_t* const elements[] = {L"pointID", L"latitude", L"longitude", L"referenceId", L"roverId", L"dX",
                                       L"dY",      L"dZ",       L"q11",       L"q22",         L"q33",     L"ellipHgt"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(fields[i].propId, i);
        EXPECT_EQ(fields[i].element, elements[i]);
        EXPECT_EQ(fields[i].type, L"string");
    }
}

TEST_F(Identifiers, FreshPluginUsesDefaultsAndSavesTwelveEmptyTexts)
{
    EXPECT_EQ(pointsIn(pointsFile("Ellip. Hgt.")), 1u);
    const auto values = saved();
    ASSERT_EQ(values.size(), 12u) << "the charset is never written";
    for (const wchar_t* key : kKeys)
        EXPECT_EQ(values.count(key), 1u) << test::U(key);
    for (const auto& kv : values)
        EXPECT_TRUE(kv.second.empty()) << test::U(kv.first);
}

// Only keys spelled exactly as stored count; the rest keep their defaults.
TEST_F(Identifiers, SettingsRenameColumns)
{
    host::SettingsStore store;
    store.set(L"point_id", L"Name");
    store.set(L"Ellip_Hgt", L"Wrong case");
    store.set(L"charset", L"UTF-8");
    plugin()->LoadSettings(&store);
    EXPECT_EQ(pointsIn(pointsFile("Ellip. Hgt.", "Name")), 1u);
    EXPECT_EQ(pointsIn(pointsFile("Ellip. Hgt.")), 0u) << "\"Point Id\" no longer marks a points table";
    EXPECT_EQ(saved().at(L"point_id"), L"Name");
    EXPECT_EQ(saved().at(L"ellip_Hgt"), L"");
    EXPECT_EQ(saved().count(L"charset"), 0u);

    // A lines table is still recognised by the default reference column.
    const auto lines = m_dir.write("l.txt", lgo::table({lgo::kLinesHeader, {"B", "R", "1", "2", "3", "1", "1", "1"}}, '\t'));
    EXPECT_EQ(lgo::import(plugin(), {lines}).files().at(0).vectors.size(), 1u);
}

TEST_F(Identifiers, SaveThenLoadRoundTripsAllTwelve)
{
    host::SettingsStore store;
    for (const wchar_t* key : kKeys)
        store.set(key, std::wstring(L"col ") + key);
    store.set(L"dz", L"");
    plugin()->LoadSettings(&store);
    host::SettingsStore copy;
    plugin()->SaveSettings(&copy);
    EXPECT_EQ(copy.values(), store.values());

    auto other = m_loaded.createAnother();
    other->LoadSettings(&copy);
    host::SettingsStore again;
    other->SaveSettings(&again);
    EXPECT_EQ(again.values(), store.values());
}

// Settings read with the current text as default leave identifiers the
// store does not hold as they are.
TEST_F(Identifiers, LoadingKeepsIdentifiersTheStoreLacks)
{
    host::PropertyEditSession session(controller());
    ASSERT_TRUE(session.edit(PropertyID::ellipHgt, L"Height"));
    ASSERT_TRUE(session.ok());
    host::SettingsStore store;
    store.set(L"latitude", L"Lat");
    plugin()->LoadSettings(&store);
    EXPECT_EQ(saved().at(L"ellip_Hgt"), L"Height");
    EXPECT_EQ(saved().at(L"latitude"), L"Lat");
}

TEST_F(Identifiers, ViewShowsConfiguredTextsAndEmptyFieldsForDefaults)
{
    host::SettingsStore store;
    store.set(L"q22", L"Var Y");
    plugin()->LoadSettings(&store);
    host::PropertyEditSession session(controller());
    for (const auto& field : session.view().fields())
        EXPECT_EQ(field.value, field.propId == PropertyID::q22 ? L"Var Y" : L"") << field.propId;
}

TEST_F(Identifiers, CancelKeepsAndOkAppliesTheEditedName)
{
    const auto defaultFile = pointsFile("Ellip. Hgt.");
    const auto renamedFile = pointsFile("Height");
    {
        host::PropertyEditSession session(controller());
        ASSERT_TRUE(session.edit(PropertyID::ellipHgt, L"Height"));
        session.cancel();
    }
    EXPECT_EQ(pointsIn(defaultFile), 1u);
    EXPECT_EQ(pointsIn(renamedFile), 0u);
    EXPECT_EQ(saved().at(L"ellip_Hgt"), L"");

    host::PropertyEditSession session(controller());
    ASSERT_TRUE(session.edit(PropertyID::ellipHgt, L"Height"));
    ASSERT_TRUE(session.ok()) << "every value is accepted";
    EXPECT_EQ(pointsIn(defaultFile), 0u);
    EXPECT_EQ(pointsIn(renamedFile), 1u);
    EXPECT_EQ(saved().at(L"ellip_Hgt"), L"Height");
}

TEST_F(Identifiers, ClearedFieldReturnsTheColumnToItsDefault)
{
    host::SettingsStore store;
    store.set(L"ellip_Hgt", L"Height");
    plugin()->LoadSettings(&store);
    host::PropertyEditSession session(controller());
    ASSERT_TRUE(session.edit(PropertyID::ellipHgt, L""));
    ASSERT_TRUE(session.ok());
    EXPECT_EQ(pointsIn(pointsFile("Ellip. Hgt.")), 1u);
    EXPECT_EQ(saved().at(L"ellip_Hgt"), L"");
}

// OK from a host that never opened the view changes nothing.
TEST_F(Identifiers, OkWithoutAnOpenViewDoesNothing)
{
    host::SettingsStore store;
    store.set(L"ellip_Hgt", L"Height");
    plugin()->LoadSettings(&store);
    controller()->OnPropertyListViewOK();
    controller()->OnPropertyListViewCancel();
    EXPECT_EQ(saved().at(L"ellip_Hgt"), L"Height");
    EXPECT_TRUE(controller()->OnNewPropertyValueValidate(-1));
    EXPECT_TRUE(controller()->OnAllPropertiesValidate());
}

} // namespace
