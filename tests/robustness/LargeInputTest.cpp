// Large hostile inputs: a single 100 MB line and millions of tiny lines
// through every plug-in, each import in a child process whose peak memory
// is measured against the file size. Not part of the default test run
// (label "large"): ctest -C Large -L large.
#include "RobustnessSupport.h"

#include <gnssimport/host/AngleConverters.h>
#include <gnssimport/host/CharsetConversion.h>
#include <gnssimport/host/RecordingTarget.h>

#include "PluginHelpers/StringImpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cwchar>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define GNSSIMPORT_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define GNSSIMPORT_SANITIZED 1
#endif
#endif

namespace {

// Decodes like the recording target but keeps nothing, so the measured
// memory is the plug-in's and the conversion's.
class CountingTarget : public Plugin::ISatImportTarget3 {
public:
    Plugin::IUnitConvertersFactory* GetUnitConvertersFactory() override { return host::createUnitConvertersFactory(); }
    void SetCurrentFile(const wchar_t*) override {}
    void SetCurrentLine(int) override {}
    void Reserved4() override {}
    void ReportWarning(const wchar_t*) override { ++warnings; }
    void ReportError(const wchar_t*) override { ++errors; }
    void SetProgress(float) override {}
    void* QueryInterface(Plugin::SatImportTargetInterface) override { return this; }
    void Reserved9() override {}
    void Reserved10() override {}
    void SetValue(Plugin::SatEvents, double) override { ++values; }
    void SetText(Plugin::SatEvents, const wchar_t* text) override { longestText = std::max(longestText, std::wcslen(text)); }
    void Reserved13() override {}
    void SetElevation(double) override {}
    void SetEllipsoidalHeight(double) override {}
    int ConvertBytes(const wchar_t*, const wchar_t* charset, Plugin::IByteArray* data) override
    {
        std::wstring text;
        if (!m_charsets.convert(test::U(charset ? charset : L""), data->data(), static_cast<std::size_t>(data->size()), text))
            return 1;
        data->assign(reinterpret_cast<const char*>(text.data()), static_cast<int>(text.size() * sizeof(wchar_t)));
        return 0;
    }

    long warnings = 0, errors = 0, values = 0;
    std::size_t longestText = 0;

private:
    host::CharsetConverter m_charsets;
};

long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, std::strlen(field), field) == 0)
            return std::stol(line.substr(std::strlen(field)));
    return -1;
}

struct Measure {
    bool exited = false;
    long peakKiB = 0;
    double seconds = 0;
    long errors = 0;
    std::size_t longestText = 0;
};

// Imports path in a child process; peak is its resident memory growth.
Measure measure(const std::string& plugin, const std::wstring& path)
{
    const auto library = host::LoadedPlugin::load(test::pluginPath(plugin));
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        std::ofstream("/proc/self/clear_refs") << "5"; // restart the peak count here
        const long base = statusKiB("VmRSS:");
        const auto start = std::chrono::steady_clock::now();
        CountingTarget target;
        host::FileList files({path});
        robust::importWithObject(library, {}); // warms the library up
        library.createAnother().query<Plugin::ISatelliteMIP>(Plugin::IID_ISatelliteMIP)->DoImport(&files, &target);
        Measure m;
        m.exited = true;
        m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        m.peakKiB = statusKiB("VmHWM:") - base;
        m.errors = target.errors;
        m.longestText = target.longestText;
        const ssize_t written = ::write(fds[1], &m, sizeof m);
        ::_exit(written == sizeof m ? 0 : 1);
    }
    ::close(fds[1]);
    Measure m;
    const bool got = ::read(fds[0], &m, sizeof m) == sizeof m;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        m.exited = false;
    return m;
}

void report(const char* what, const robust::PluginCase& c, std::size_t size, const Measure& m)
{
    const double multiple = static_cast<double>(m.peakKiB) * 1024.0 / static_cast<double>(size);
    std::printf("%-22s %-9s file %6.1f MB  peak +%7.1f MB  = %5.2f x file  %6.2f s\n", what, c.plugin,
                static_cast<double>(size) / 1e6, static_cast<double>(m.peakKiB) / 1024.0, multiple, m.seconds);
}

class LargeInput : public ::testing::TestWithParam<robust::PluginCase> {};

// The line is held as bytes and decoded to wide text (4 bytes a character)
// through the host's byte array, and the parsers copy what they split off:
// a fixed multiple of the file size, printed, and kept below 32.
TEST_P(LargeInput, HundredMegabyteLine)
{
    const auto& c = GetParam();
    const std::size_t nameSize = 100u << 20;
    test::TempDir dir;
    const std::string bytes = robust::fileWithPointNamed(c, std::string(nameSize, 'N'));
    const std::wstring path = dir.write(c.fileName, bytes);
    const Measure m = measure(c.plugin, path);
    ASSERT_TRUE(m.exited) << "the import crashed";
    report("100 MB line", c, bytes.size(), m);
    EXPECT_EQ(m.longestText, nameSize);
#ifndef GNSSIMPORT_SANITIZED
    EXPECT_LT(static_cast<double>(m.peakKiB) * 1024.0, 32.0 * static_cast<double>(bytes.size()));
#endif
}

// Where lines are held, each costs string objects besides its text, so tiny
// lines cost the most per byte: the multiple is printed and kept below 64.
TEST_P(LargeInput, MillionsOfTinyLines)
{
    const auto& c = GetParam();
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 4000000; ++i)
        bytes += "x\n";
    const std::wstring path = dir.write(c.fileName, bytes);
    const Measure m = measure(c.plugin, path);
    ASSERT_TRUE(m.exited) << "the import crashed";
    report("4 000 000 tiny lines", c, bytes.size(), m);
    EXPECT_GT(m.errors, 0);
#ifndef GNSSIMPORT_SANITIZED
    EXPECT_LT(static_cast<double>(m.peakKiB) * 1024.0, 64.0 * static_cast<double>(bytes.size()));
#endif
}

// 2^29 characters decode to 2 GiB of wide text, one byte past the byte
// array's int size: a failure, with the bytes left as they were.
TEST(LargeConversion, TextBeyondTheByteArraySizeFails)
{
    const int size = 1 << 29;
    Plugin::ByteArrayImpl bytes;
    bytes.resize(size);
    std::memset(bytes.data(), 'a', static_cast<std::size_t>(size));
    host::RecordingTarget target;
    EXPECT_NE(target.ConvertBytes(L"strconv", L"CP1251", &bytes), 0);
    EXPECT_EQ(bytes.size(), size);
}

INSTANTIATE_TEST_SUITE_P(All, LargeInput, ::testing::ValuesIn(robust::pluginCases()),
                         [](const auto& info) { return robust::caseName(info.param); });

} // namespace
