// One libFuzzer target per plug-in, built from this source with the
// plug-in's library path and file names defined by fuzz/CMakeLists.txt.
// Each input is written under every file name of the plug-in and imported
// through the reference host twice: with the charset setting empty and with
// a named charset (and, for some inputs, a host that withholds
// ISatImportTarget2/3). Any exception leaving DoImport, any sanitizer report,
// any progress outside 0..100 and any NaN value ends the run;
// GNSSIMPORT_FUZZ_STRICT=1 adds infinite values and host warnings.
#include <gnssimport/host/FileList.h>
#include <gnssimport/host/PluginLoader.h>
#include <gnssimport/host/RecordingTarget.h>
#include <gnssimport/host/SettingsStore.h>

#include "CommonHelpers/strutils.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef FUZZ_PLUGIN_PATH
#error "FUZZ_PLUGIN_PATH must name the plug-in library"
#endif
#ifndef FUZZ_FILE_NAMES
#error "FUZZ_FILE_NAMES must list the file names, separated by ','"
#endif

namespace {

struct Harness {
    host::LoadedPlugin plugin;
    std::filesystem::path dir;
    std::vector<std::filesystem::path> files;
    std::vector<std::wstring> paths;
    bool strict = false;
};

Harness* g_harness = nullptr;

void removeDirectory()
{
    if (g_harness) {
        std::error_code ec;
        std::filesystem::remove_all(g_harness->dir, ec);
    }
}

std::filesystem::path makeWorkDirectory()
{
    // Memory-backed when the machine has it: every input is written to disk.
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                                             : std::filesystem::temp_directory_path();
    std::string pattern = (base / "gnssimport-fuzz-XXXXXX").string();
    if (!::mkdtemp(&pattern[0])) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
}

[[noreturn]] void fail(const std::wstring& what)
{
    std::fprintf(stderr, "fuzz invariant broken: %s\n", strutils::toUtf8(what).c_str());
    std::abort();
}

// Checks what the event stream must satisfy on any input.
void checkEvents(const host::RecordingTarget& target, bool strict)
{
    for (const auto& e : target.events()) {
        if (e.kind == host::TargetEvent::SetProgress && !(e.value >= 0.0 && e.value <= 100.0))
            fail(L"progress out of range: " + host::describe(e));
        const bool valued = e.kind == host::TargetEvent::SetValue || e.kind == host::TargetEvent::SetElevation ||
                            e.kind == host::TargetEvent::SetEllipsoidalHeight;
        if (valued && std::isnan(e.value))
            fail(L"NaN value: " + host::describe(e));
        // A value derived from numbers near the top of the double range may
        // itself lie beyond it.
        if (valued && strict && std::isinf(e.value))
            fail(L"infinite value: " + host::describe(e));
    }
    if (!strict)
        return;
    // Contract breaches of the event stream, checked on request only: some
    // formats may send them by design.
    for (const auto& file : target.files())
        for (const auto& m : file.messages)
            if (m.severity == host::ImportMessage::HostWarning)
                fail(L"host warning: " + m.text);
}

void importOnce(const std::wstring& charset, const host::RecordingTarget::Options& options)
{
    const auto plugin = g_harness->plugin.createAnother().query<Plugin::ISatelliteMIP>(Plugin::IID_ISatelliteMIP);
    host::SettingsStore settings;
    if (!charset.empty())
        settings.set(L"charset", charset);
    plugin->LoadSettings(&settings);
    host::RecordingTarget target(options);
    host::FileList files(g_harness->paths);
    plugin->DoImport(&files, &target);
    checkEvents(target, g_harness->strict);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    auto* harness = new Harness{host::LoadedPlugin::load(FUZZ_PLUGIN_PATH), makeWorkDirectory(), {}, {}, false};
    const char* strict = std::getenv("GNSSIMPORT_FUZZ_STRICT");
    harness->strict = strict && *strict == '1';
    const std::string names = FUZZ_FILE_NAMES;
    for (std::size_t start = 0; start <= names.size();) {
        std::size_t end = names.find(',', start);
        if (end == std::string::npos)
            end = names.size();
        harness->files.push_back(harness->dir / names.substr(start, end - start));
        harness->paths.push_back(strutils::fromUtf8(harness->files.back().string()));
        start = end + 1;
    }
    g_harness = harness;
    std::atexit(removeDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const auto& file : g_harness->files) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    // The settings and host offers of the second import follow from the
    // input itself, so a saved input replays exactly.
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    static const wchar_t* const charsets[] = {L"CP1251", L"UTF-8", L"CP866", L"KOI8-R"};

    importOnce(std::wstring(), host::RecordingTarget::Options());
    host::RecordingTarget::Options other;
    other.offerTarget2 = (h & 0x30) != 0x30;
    other.offerTarget3 = (h & 0xC0) != 0xC0;
    other.offerCovariance = true; // the first import runs without it
    importOnce(charsets[h & 3], other);
    return 0;
}
