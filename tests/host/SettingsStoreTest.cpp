// The settings store: the ISettings calls the plug-ins make and the
// key=value file it is kept in.
#include "TestSupport.h"
#include "PluginHelpers/StringImpl.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(SettingsStore, ReadStringGivesStoredTextOrDefault)
{
    host::SettingsStore store;
    store.set(L"charset", L"KOI8-R");
    store.set(L"empty", L"");

    Plugin::StringImpl value(L"stale");
    EXPECT_TRUE(store.ReadString(L"charset", &value, L"CP1251"));
    EXPECT_EQ(value.string(), L"KOI8-R");
    EXPECT_TRUE(store.ReadString(L"empty", &value, L"fallback"));
    EXPECT_EQ(value.string(), L"");
    EXPECT_FALSE(store.ReadString(L"point_id", &value, L"Point Id"));
    EXPECT_EQ(value.string(), L"Point Id");
    value.assign(L"stale");
    EXPECT_FALSE(store.ReadString(L"point_id", &value, nullptr));
    EXPECT_EQ(value.string(), L"");
    EXPECT_EQ(store.readCount(), 4);
    EXPECT_EQ(store.writeCount(), 0);
    EXPECT_FALSE(store.has(L"point_id"));
}

TEST(SettingsStore, WriteStringStoresText)
{
    host::SettingsStore store;
    Plugin::StringImpl value(L"Ellip. Hgt.");
    EXPECT_TRUE(store.WriteString(L"ellip_Hgt", &value));
    Plugin::StringImpl empty;
    EXPECT_TRUE(store.WriteString(L"dx", &empty));
    EXPECT_EQ(store.get(L"ellip_Hgt"), L"Ellip. Hgt.");
    EXPECT_TRUE(store.has(L"dx"));
    EXPECT_EQ(store.get(L"dx", L"unset"), L"");
    EXPECT_EQ(store.get(L"dy", L"unset"), L"unset");
    EXPECT_EQ(store.writeCount(), 2);
}

TEST(SettingsStore, FileRoundTripIsExact)
{
    const std::wstring values[] = {
        L"plain",
        L"",
        L"a=b=c",
        L"#not a comment",
        L"line1\nline2\r\nline3\r",
        L"  leading and trailing  ",
        L"\t",
        L"back\\slash \\n \\\\ \\",
        L"\\",
        L"\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440",
        L"astral \U0001D11E and a UTF-16 pair \xD834\xDD1E",
        std::wstring(L"nul\0inside", 10),
    };
    const std::wstring keys[] = {
        L"charset", L"key=with=equals", L"#hash", L" spaced key ", L"\u043A\u043B\u044E\u0447",
        L"new\nline", L"back\\slash", L"", L"=", L"\\=", L"a\\", L"ellip_Hgt",
    };
    static_assert(sizeof(values) / sizeof(values[0]) == sizeof(keys) / sizeof(keys[0]), "one key per value");

    host::SettingsStore store;
    for (std::size_t i = 0; i < sizeof(keys) / sizeof(keys[0]); ++i)
        store.set(keys[i], values[i]);
    test::TempDir dir;
    const std::string path = (dir.path() / "settings.ini").string();
    store.saveFile(path);

    host::SettingsStore loaded;
    loaded.set(L"gone", L"replaced by the file");
    loaded.loadFile(path);
    EXPECT_EQ(loaded.values(), store.values());
}

TEST(SettingsStore, ReadsHandWrittenFile)
{
    test::TempDir dir;
    const std::wstring path = dir.write("hand.ini",
                                        "\xEF\xBB\xBF# comment line\r\n"
                                        "\r\n"
                                        "   \n"
                                        "charset=CP866\r\n"
                                        "point_id = Point Id \n"
                                        "path=C:\\dir\\new\n"
                                        "dup=first\n"
                                        "dup=second\n"
                                        "\xD0\xBA=\xD0\xB7\n"
                                        "last=no newline");
    host::SettingsStore store;
    store.loadFile(test::U(path));
    const std::map<std::wstring, std::wstring> expected = {
        {L"charset", L"CP866"},  {L"point_id ", L" Point Id "}, {L"path", L"C:\\dir\new"},
        {L"dup", L"second"},     {L"\u043A", L"\u0437"},       {L"last", L"no newline"},
    };
    EXPECT_EQ(store.values(), expected);
}

TEST(SettingsStore, FileFailuresThrowWithPath)
{
    test::TempDir dir;
    host::SettingsStore store;
    store.set(L"kept", L"value");

    struct Case {
        const char* name;
        const char* content; // nullptr: no file
    };
    const Case cases[] = {
        {"missing.ini", nullptr},
        {"bad-utf8.ini", "a=1\nb=\xD0\n"},
        {"no-separator.ini", "a=1\njust text\n"},
    };
    for (const auto& c : cases) {
        const std::string path = (dir.path() / c.name).string();
        if (c.content)
            dir.write(c.name, c.content);
        try {
            store.loadFile(path);
            ADD_FAILURE() << c.name << " loaded";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
        // A failed load leaves the store as it was.
        EXPECT_EQ(store.values().size(), 1u) << c.name;
        EXPECT_EQ(store.get(L"kept"), L"value") << c.name;
    }

    const std::string unwritable = (dir.path() / "no-such-dir" / "settings.ini").string();
    EXPECT_THROW(store.saveFile(unwritable), std::runtime_error);

    host::SettingsStore odd;
    odd.set(L"key", std::wstring(1, static_cast<wchar_t>(0x110000)));
    EXPECT_THROW(odd.saveFile((dir.path() / "odd.ini").string()), std::runtime_error);
}

// A write that fails part way (here at the file size limit, in a child
// process) leaves the saved file as it was; a good one keeps its mode.
TEST(SettingsStore, SaveReplacesTheFileWhole)
{
    test::TempDir dir;
    const std::string path = (dir.path() / "settings.ini").string();
    host::SettingsStore small;
    small.set(L"point_id", L"Name");
    small.saveFile(path);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    host::SettingsStore large;
    large.set(L"point_id", std::wstring(100000, L'x'));

    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            large.saveFile(path);
        } catch (const std::runtime_error&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failure not reported";
    EXPECT_EQ(test::readBytes(path), "point_id=Name\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a temporary file was left";

    large.saveFile(path);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(test::readBytes(path).size(), 100000u + 10u);
}

} // namespace
