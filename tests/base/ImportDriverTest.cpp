// The import loop every plug-in shares: the file list, the charset handed to
// the host, and files that cannot be read.
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const char* const kPlugins[] = {"spectrum", "tgotbc", "lgo", "pinnacle", "topcon"};

// Counts the enumerator calls DoImport makes.
class CountingList : public Plugin::IEnumerator<const wchar_t*> {
public:
    bool IsValid() override { ++isValid; return false; }
    void MoveNext() override { ++moveNext; }
    const wchar_t* Current() override { ++current; return nullptr; }
    void Reset() override { ++reset; }
    int isValid = 0, moveNext = 0, current = 0, reset = 0;
};

class NullPathList : public Plugin::IEnumerator<const wchar_t*> {
public:
    bool IsValid() override { return true; }
    void MoveNext() override {}
    const wchar_t* Current() override { return nullptr; }
    void Reset() override {}
};

// Records the charset names the plug-in asks the host to decode with.
class CharsetSpy : public host::RecordingTarget {
public:
    using host::RecordingTarget::RecordingTarget;
    int ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data) override
    {
        charsets.push_back(charset ? charset : L"(null)");
        return host::RecordingTarget::ConvertBytes(service, charset, data);
    }
    std::vector<std::wstring> charsets;
};

void runImport(const char* plugin, host::RecordingTarget& target, const std::vector<std::wstring>& paths,
               const std::wstring& charset = L"")
{
    auto loaded = host::LoadedPlugin::load(test::pluginPath(plugin));
    host::SettingsStore settings;
    if (!charset.empty())
        settings.set(L"charset", charset);
    loaded.plugin()->LoadSettings(&settings);
    host::FileList files(paths);
    loaded.plugin()->DoImport(&files, &target);
}

class ImportDriver : public ::testing::TestWithParam<const char*> {};

TEST_P(ImportDriver, EmptyListMakesOneResetAndOneIsValid)
{
    auto loaded = host::LoadedPlugin::load(test::pluginPath(GetParam()));
    CountingList list;
    host::RecordingTarget target;
    loaded.plugin()->DoImport(&list, &target);
    EXPECT_EQ(list.reset, 1);
    EXPECT_EQ(list.isValid, 1);
    EXPECT_EQ(list.current, 0);
    EXPECT_TRUE(target.events().empty());
}

TEST_P(ImportDriver, NullPathIsALogicError)
{
    auto loaded = host::LoadedPlugin::load(test::pluginPath(GetParam()));
    NullPathList list;
    host::RecordingTarget target;
    EXPECT_THROW(loaded.plugin()->DoImport(&list, &target), std::logic_error);
}

// A directory, or a file that does not exist, is reported as unopenable and
// the import goes on with the next file.
TEST_P(ImportDriver, UnreadableFilesAreReportedAndSkipped)
{
    test::TempDir dir;
    const std::string plugin = GetParam();
    const std::string name = plugin == "pinnacle" ? "station.dat" : "data.txt";
    std::filesystem::create_directories(dir.path() / "sub" / name);
    const std::vector<std::wstring> paths = {test::W((dir.path() / "sub" / name).string()),
                                             test::W((dir.path() / "none" / name).string()),
                                             dir.write(name, "x\n")};
    host::RecordingTarget target;
    runImport(GetParam(), target, paths);
    ASSERT_EQ(target.files().size(), 3u);
    for (int i = 0; i < 2; ++i) {
        const auto& file = target.files()[i];
        EXPECT_EQ(file.path, paths[i]);
        ASSERT_FALSE(file.messages.empty());
        EXPECT_EQ(file.messages.front().text, L"Ошибка при открытии файла");
        EXPECT_TRUE(file.points.empty());
    }
    EXPECT_EQ(target.files()[2].path, paths[2]);
}

TEST_P(ImportDriver, ConfiguredCharsetReachesTheHost)
{
    test::TempDir dir;
    const std::string name = std::string(GetParam()) == "pinnacle" ? "station.dat" : "data.txt";
    CharsetSpy target;
    runImport(GetParam(), target, {dir.write(name, "a\nb\n")}, L"KOI8-R");
    ASSERT_FALSE(target.charsets.empty());
    for (const auto& c : target.charsets)
        EXPECT_EQ(c, L"KOI8-R");
}

TEST_P(ImportDriver, WithoutTarget3NothingIsConvertedByTheHost)
{
    test::TempDir dir;
    const std::string name = std::string(GetParam()) == "pinnacle" ? "station.dat" : "data.txt";
    host::RecordingTarget::Options options;
    options.offerTarget3 = false;
    CharsetSpy target(options);
    runImport(GetParam(), target, {dir.write(name, "a\nb\n")}, L"CP1251");
    EXPECT_TRUE(target.charsets.empty());
    EXPECT_EQ(target.files().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(All, ImportDriver, ::testing::ValuesIn(kPlugins),
                         [](const auto& info) { return std::string(info.param); });

// The detecting plug-ins take a file with a UTF-8 byte-order mark as UTF-8.
TEST(CharsetChoice, ByteOrderMarkMeansUtf8WhenNothingIsConfigured)
{
    for (const char* plugin : {"tgotbc", "topcon"}) {
        test::TempDir dir;
        const auto bom = dir.write("bom.txt", "\xEF\xBB\xBF" "P,Пункт\n");
        const auto plain = dir.write("plain.txt", "P,A\n");
        CharsetSpy detected;
        runImport(plugin, detected, {bom, plain});
        ASSERT_EQ(detected.charsets.size(), 2u) << plugin;
        EXPECT_EQ(detected.charsets[0], L"UTF-8") << plugin;
        EXPECT_EQ(detected.charsets[1], L"CP1251") << plugin;

        CharsetSpy configured;
        runImport(plugin, configured, {bom}, L"CP866");
        ASSERT_EQ(configured.charsets.size(), 1u) << plugin;
        EXPECT_EQ(configured.charsets[0], L"CP866") << plugin;
    }
}

} // namespace
