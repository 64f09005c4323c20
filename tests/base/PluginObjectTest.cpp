// The plug-in object as a host sees it: descriptor, interfaces, reference counts.
#include "TestSupport.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* plugin;
    const wchar_t* name;
    const wchar_t* guidSuffix;
    const wchar_t* filter;
};

const Expected kPlugins[] = {
    {"spectrum", L"Spectrum Survey", L"SpectrumSurvey", L"*.txt"},
    {"tgotbc", L"TGO/TBC", L"TGO_TBC", L"*.asc"},
    {"lgo", L"LGO", L"LGO", L"*.txt"},
    {"pinnacle", L"Pinnacle", L"Pinnacle", L"*.dat"},
    {"topcon", L"Topcon", L"Topcon", L"*.txt;*.tvf"},
};

std::wstring descriptorFor(const Expected& e)
{
    return std::wstring(L"\n{\n\"name\": \"") + e.name + L"\",\n\"guid\": \"org.gnssimport.sat_plugin." +
           e.guidSuffix + L"\",\n\"version\": 1,\n\"filter_name\": \"" + e.name + L"\",\n\"filter\": \"" +
           e.filter + L"\"\n}\n";
}

class PluginObject : public ::testing::TestWithParam<Expected> {};

TEST_P(PluginObject, DescriptorIsExactAndCopiedOnlyWhenItFits)
{
    const auto loaded = host::LoadedPlugin::load(test::pluginPath(GetParam().plugin));
    const std::wstring expected = descriptorFor(GetParam());
    EXPECT_EQ(loaded.descriptorText(), expected);
    EXPECT_EQ(loaded.descriptor().name, GetParam().name);
    EXPECT_EQ(loaded.descriptor().filter, GetParam().filter);
    EXPECT_EQ(loaded.descriptor().version, 1);

    auto* plugin = loaded.plugin();
    const int n = static_cast<int>(expected.size());
    EXPECT_EQ(plugin->GetPluginInfo(nullptr, 0), n);

    std::vector<wchar_t> buffer(expected.size() + 2, L'#');
    EXPECT_EQ(plugin->GetPluginInfo(buffer.data(), n), n);
    EXPECT_EQ(buffer[0], L'#') << "size equal to the length writes nothing";
    EXPECT_EQ(plugin->GetPluginInfo(buffer.data(), -5), n);
    EXPECT_EQ(buffer[0], L'#');

    EXPECT_EQ(plugin->GetPluginInfo(buffer.data(), n + 1), n);
    EXPECT_EQ(std::wstring(buffer.data()), expected);
    EXPECT_EQ(buffer[expected.size()], L'\0');
    EXPECT_EQ(buffer[expected.size() + 1], L'#');
}

TEST_P(PluginObject, QueryInterfaceAndReleaseCountReferences)
{
    const auto loaded = host::LoadedPlugin::load(test::pluginPath(GetParam().plugin));
    Plugin::IPlugin2* plugin = loaded.createAnother().release(); // count 1
    ASSERT_NE(plugin, nullptr);

    for (auto id : {Plugin::IID_IFileImportPlugin, Plugin::IID_IGroundBasedMIP, Plugin::IID_IDeviceIP,
                    Plugin::IID_IViloMIP})
        EXPECT_EQ(plugin->QueryInterface(id), nullptr);

    void* asPlugin = plugin->QueryInterface(Plugin::IID_IPlugin);      // count 2
    void* asMip = plugin->QueryInterface(Plugin::IID_ISatelliteMIP);   // count 3
    EXPECT_EQ(asPlugin, static_cast<void*>(plugin));
    EXPECT_EQ(static_cast<Plugin::IPlugin2*>(static_cast<Plugin::ISatelliteMIP*>(asMip)), plugin);
    EXPECT_FALSE(plugin->Release()); // 2
    EXPECT_FALSE(plugin->Release()); // 1
    plugin->AddRef();                // 2
    EXPECT_FALSE(plugin->Release()); // 1
    EXPECT_TRUE(plugin->Release());  // 0: freed
}

TEST_P(PluginObject, SettingsAndController)
{
    const auto loaded = host::LoadedPlugin::load(test::pluginPath(GetParam().plugin));
    host::SettingsStore settings;
    settings.set(L"charset", L"CP866");
    loaded.plugin()->LoadSettings(&settings);
    EXPECT_GE(settings.readCount(), 1);
    loaded.plugin()->SaveSettings(&settings);
    EXPECT_EQ(settings.get(L"charset"), L"CP866");
    const bool isLgo = std::string(GetParam().plugin) == "lgo";
    if (!isLgo) {
        EXPECT_EQ(settings.writeCount(), 0);
        EXPECT_EQ(loaded.plugin()->GetPropertyListViewController(), nullptr);
    }
}

// Objects handed out keep their library loaded after the loader is gone:
// using and releasing them runs code that is still mapped.
TEST_P(PluginObject, HandedOutObjectsOutliveTheLoader)
{
    host::PluginObject<Plugin::ISatelliteMIP> mip;
    {
        const auto loaded = host::LoadedPlugin::load(test::pluginPath(GetParam().plugin));
        mip = loaded.createAnother().query<Plugin::ISatelliteMIP>(Plugin::IID_ISatelliteMIP);
    }
    ASSERT_TRUE(mip);
    EXPECT_EQ(mip->GetPluginInfo(nullptr, 0), static_cast<int>(descriptorFor(GetParam()).size()));
    host::RecordingTarget target;
    host::FileList files;
    mip->DoImport(&files, &target);
    mip.reset();
}

INSTANTIATE_TEST_SUITE_P(All, PluginObject, ::testing::ValuesIn(kPlugins),
                         [](const auto& info) { return std::string(info.param.plugin); });

TEST(PluginLoader, AllFiveLoadTogetherAlsoWithGlobalSymbols)
{
    for (int flags : {RTLD_NOW | RTLD_LOCAL, RTLD_NOW | RTLD_GLOBAL, RTLD_LAZY | RTLD_GLOBAL}) {
        std::vector<host::LoadedPlugin> plugins;
        for (const auto& e : kPlugins)
            plugins.push_back(host::LoadedPlugin::load(test::pluginPath(e.plugin), flags));
        for (std::size_t i = 0; i < plugins.size(); ++i)
            EXPECT_EQ(plugins[i].descriptor().name, kPlugins[i].name) << "flags " << flags;
    }
}

TEST(PluginLoader, ClearErrors)
{
    test::TempDir dir;
    try {
        host::LoadedPlugin::load((dir.path() / "missing.so").string());
        FAIL() << "missing file loaded";
    } catch (const host::LoadError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.so"), std::string::npos);
    }
    // A shared library without CreatePlugin2: the C library itself.
    try {
        host::LoadedPlugin::load("libm.so.6");
        FAIL() << "library without entry point loaded";
    } catch (const host::LoadError& e) {
        EXPECT_NE(std::string(e.what()).find("CreatePlugin2"), std::string::npos);
    }
    const auto notElf = dir.write("fake.so", "not a library");
    EXPECT_THROW(host::LoadedPlugin::load(test::U(notElf)), host::LoadError);
}

TEST(PluginDescriptor, MatchesFilterPatternsCaseInsensitively)
{
    host::PluginDescriptor d;
    ASSERT_TRUE(d.parse(L"{\"name\": \"Topcon\", \"version\": 1, \"filter\": \"*.txt;*.tvf\"}"));
    EXPECT_TRUE(d.matches(L"/data/REPORT.TXT"));
    EXPECT_TRUE(d.matches(L"a.tvf"));
    EXPECT_FALSE(d.matches(L"a.txt.bak"));
    EXPECT_FALSE(d.matches(L"/x.txt/b.dat"));
    EXPECT_FALSE(d.parse(L"{\"name\": \"x\""));
    EXPECT_FALSE(d.parse(L"not json"));
}

// A descriptor is JSON: escapes decode, unknown members are skipped, known
// members of the wrong type reject it.
TEST(PluginDescriptor, ReadsJsonEscapesAndChecksMemberTypes)
{
    struct Case {
        const wchar_t* json;
        bool ok;
        std::wstring name;
        int version;
    };
    const Case cases[] = {
        {L"{\"name\": \"\\u0422\\u043E\\u043F\", \"version\": 2}", true, L"\u0422\u043E\u043F", 2},
        {L"{\"name\": \"\\ud83d\\ude00\"}", true, std::wstring(1, static_cast<wchar_t>(0x1F600)), 0},
        {L"{\"name\": \"a\\\"b\", \"extra\": [1, {\"x\": null}], \"version\": -3}", true, L"a\"b", -3},
        {L"{\"name\": \"A\", \"version\": \"1\"}", false, L"", 0},
        {L"{\"name\": \"A\", \"version\": 4294967296}", false, L"", 0},
        {L"{\"name\": \"A\", \"version\": 18446744073709551615}", false, L"", 0},
        {L"{\"name\": \"A\", \"filter\": 7}", false, L"", 0},
        {L"{\"name\": \"\"}", false, L"", 0},
        {L"[\"name\"]", false, L"", 0},
    };
    for (const auto& c : cases) {
        host::PluginDescriptor d;
        EXPECT_EQ(d.parse(c.json), c.ok) << test::U(c.json);
        if (c.ok) {
            EXPECT_EQ(d.name, c.name) << test::U(c.json);
            EXPECT_EQ(d.version, c.version) << test::U(c.json);
        }
    }
}

} // namespace
