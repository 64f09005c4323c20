// Hostile and odd files through every plug-in: each is reported (or read as
// far as it goes) and the next file of the list imports exactly as on its
// own. The large inputs live in LargeInputTest.cpp.
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sys/fsuid.h>
#include <unistd.h>

namespace {

using robust::PluginCase;

enum class Outcome { Error, Any };

struct Hostile {
    const char* name;
    Outcome outcome;
    std::string (*bytes)(const PluginCase&);
};

std::string empty(const PluginCase&) { return std::string(); }

std::string garbage(const PluginCase&)
{
    std::mt19937 random(20240611);
    std::string bytes(1 << 16, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// The example with a NUL byte put after the first character of every line.
std::string nulInsideLines(const PluginCase& c)
{
    const std::string text = test::readBytes(test::sourcePath(c.example));
    std::string out;
    bool lineStart = true;
    for (char ch : text) {
        out += ch;
        if (lineStart && ch != '\n' && ch != '\r')
            out += '\0';
        lineStart = ch == '\n' || ch == '\r';
    }
    return out;
}

// One record of a million empty fields, in each format's separator.
std::string millionEmptyFields(const PluginCase& c)
{
    const std::string plugin = c.plugin;
    const std::size_t n = 1000000;
    if (plugin == "tgotbc")
        return "[General]\nSeparator=:\n[Stations]\nStation=" + std::string(n, ':') + "\n";
    if (plugin == "lgo")
        return std::string(n, '\t') + "\n" + std::string(n, '\t') + "\n";
    if (plugin == "pinnacle")
        return ":::\nheader\n" + std::string(n, '*') + "\n";
    if (plugin == "topcon")
        return "VPP" + std::string(n, ',') + "\n";
    return "BASE STATION (" + std::string(n, ' ') + ")\n";
}

const Hostile kHostile[] = {
    {"EmptyFile", Outcome::Error, empty},
    {"BinaryGarbage", Outcome::Error, garbage},
    {"NulInsideLines", Outcome::Any, nulInsideLines},
    // Pinnacle takes a record of empty fields as a point without a name.
    {"MillionEmptyFields", Outcome::Any, millionEmptyFields},
};

class HostileInput : public ::testing::TestWithParam<std::tuple<PluginCase, Hostile>> {};

TEST_P(HostileInput, IsReportedAndTheNextFileImportsAsOnItsOwn)
{
    const PluginCase& c = std::get<0>(GetParam());
    const Hostile& h = std::get<1>(GetParam());
    test::TempDir dir;
    const std::wstring hostile = dir.write(std::string("h/") + c.fileName, h.bytes(c));
    const std::wstring good = test::W(test::sourcePath(c.example).string());

    for (bool target3 : {true, false}) {
        test::ImportRun run;
        run.options.offerTarget3 = target3;
        const auto alone = robust::eventsPerFile(test::importWith(c.plugin, {good}, run));
        const auto target = test::importWith(c.plugin, {hostile, good}, run);
        const auto files = robust::eventsPerFile(target);
        ASSERT_EQ(files.size(), 2u) << "target3=" << target3;
        EXPECT_EQ(files[1], alone[0]) << "target3=" << target3;
        if (h.outcome == Outcome::Error && !target.files().empty()) {
            EXPECT_TRUE(target.files()[0].hasErrors()) << "target3=" << target3;
        }
    }
    // Expected for the format, and what Pinnacle would take as a point.
    if (std::string(c.plugin) == "pinnacle" && std::string(h.name) == "MillionEmptyFields") {
        const auto target = test::importWith(c.plugin, {hostile});
        ASSERT_EQ(target.files().size(), 1u);
        EXPECT_EQ(target.files()[0].points.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(All, HostileInput,
                         ::testing::Combine(::testing::ValuesIn(robust::pluginCases()), ::testing::ValuesIn(kHostile)),
                         [](const auto& info) {
                             return robust::caseName(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
                         });

class EveryPlugin : public ::testing::TestWithParam<PluginCase> {};

// A name of 100 000 characters reaches the host whole.
TEST_P(EveryPlugin, HundredThousandCharacterNameArrivesWhole)
{
    const PluginCase& c = GetParam();
    const std::string name(100000, 'N');
    test::TempDir dir;
    const auto target = test::importWith(c.plugin, {dir.write(c.fileName, robust::fileWithPointNamed(c, name))});
    ASSERT_EQ(target.files().size(), 1u);
    bool found = false;
    for (const auto& p : target.files()[0].points)
        found = found || p.name == test::W(name);
    EXPECT_TRUE(found);
}

// Read permission withheld: an open failure like any other, also for root,
// whose file-system uid is dropped for the import (that clears its
// permission-override capabilities on this thread).
TEST_P(EveryPlugin, FileWithoutReadPermissionIsAnOpenError)
{
    const PluginCase& c = GetParam();
    test::TempDir dir;
    const std::wstring locked = dir.write(std::string("h/") + c.fileName, "x\n");
    std::filesystem::permissions(test::U(locked), std::filesystem::perms::none);
    // The readable file is a copy of the example beside the locked one: the
    // source tree may be closed to the user the import runs as.
    const std::filesystem::path example = test::sourcePath(c.example);
    const std::wstring good =
        dir.write("g/" + example.filename().string(), test::readBytes(example));
    const auto alone = robust::eventsPerFile(test::importWith(c.plugin, {good}));

    // Loaded before the uid changes: the build tree may be closed to others.
    const auto library = host::LoadedPlugin::load(test::pluginPath(c.plugin));
    const uid_t uid = ::geteuid();
    const uid_t nobody = 65534;
    if (uid == 0)
        ::setfsuid(nobody);
    const bool readable = std::ifstream(test::U(locked)).is_open();
    const bool goodReadable = std::ifstream(test::U(good)).is_open();
    const auto target =
        readable || !goodReadable ? host::RecordingTarget() : robust::importWithObject(library, {locked, good});
    if (uid == 0)
        ::setfsuid(uid);
    if (readable)
        GTEST_SKIP() << "the file stays readable to this user";
    if (!goodReadable)
        GTEST_SKIP() << "the temporary folder is closed to the user the import runs as";

    ASSERT_EQ(target.files().size(), 2u);
    ASSERT_FALSE(target.files()[0].messages.empty());
    EXPECT_EQ(target.files()[0].messages[0].text, L"Ошибка при открытии файла");
    EXPECT_EQ(robust::eventsPerFile(target)[1], alone[0]);
}

INSTANTIATE_TEST_SUITE_P(All, EveryPlugin, ::testing::ValuesIn(robust::pluginCases()),
                         [](const auto& info) { return robust::caseName(info.param); });

// The detecting plug-ins on a file holding every byte value: the line of
// Cyrillic letters (0xC0-0xFF in all three code pages) still becomes a
// point of 64 letters, whatever the other lines hold.
TEST(EveryByteValue, DetectedFileStillYieldsItsCyrillicPoint)
{
    std::string control, high;
    for (int b = 0; b < 0xC0; ++b)
        (b < 0x80 ? control : high) += static_cast<char>(b);
    std::string letters;
    for (int b = 0xC0; b <= 0xFF; ++b)
        letters += static_cast<char>(b);
    const std::string lines = control + "\n" + high + "\n";
    const struct {
        const char* plugin;
        const char* name;
        std::string bytes;
    } cases[] = {
        {"topcon", "every-byte.txt", lines + "P," + letters + ",55 45 12,37 36 56,152\n"},
        {"tgotbc", "every-byte.asc",
         "[General]\nSeparator=:\n" + lines + "[Stations]\nStation=2:?:" + letters + ":54.6N:3.1W:139.8:0:0:86.7\n"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const auto target = test::importWith(c.plugin, {dir.write(c.name, c.bytes)});
        ASSERT_EQ(target.files().size(), 1u) << c.plugin;
        const auto& points = target.files()[0].points;
        ASSERT_EQ(points.size(), 1u) << c.plugin;
        EXPECT_EQ(points[0].name.size(), 64u) << c.plugin;
        EXPECT_TRUE(points[0].latitude.has_value()) << c.plugin;
    }
}

} // namespace
