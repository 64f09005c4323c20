// The plug-ins as shared libraries: all five loaded together with
// RTLD_GLOBAL still import their own formats, and load, import and unload
// cycles leave nothing behind. (Each library exporting CreatePlugin2 alone
// is checked by the exports.* tests of tests/base.)
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fstream>
#include <malloc.h>
#include <map>

#if defined(__SANITIZE_ADDRESS__)
#define GNSSIMPORT_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GNSSIMPORT_ASAN 1
#endif
#endif

namespace {

std::map<std::string, std::vector<std::wstring>> importAllExamplesAlone()
{
    std::map<std::string, std::vector<std::wstring>> events;
    for (const auto& c : robust::pluginCases())
        events[c.plugin] = test::importWith(c.plugin, robust::examplesOf(c.plugin)).describeEvents();
    return events;
}

bool mapped(const std::string& path)
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(path) != std::string::npos)
            return true;
    return false;
}

TEST(BinaryInterface, FiveLoadedGloballyEachImportTheirOwnFormat)
{
    const auto expected = importAllExamplesAlone();
    std::vector<host::LoadedPlugin> loaded;
    for (const auto& c : robust::pluginCases())
        loaded.push_back(host::LoadedPlugin::load(test::pluginPath(c.plugin), RTLD_NOW | RTLD_GLOBAL));

    std::vector<void*> entries;
    for (const auto& library : loaded) {
        void* handle = dlopen(library.path().c_str(), RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(handle, nullptr);
        entries.push_back(dlsym(handle, "CreatePlugin2"));
        dlclose(handle);
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = i + 1; j < entries.size(); ++j)
            EXPECT_NE(entries[i], entries[j]);

    // Imports interleaved over the libraries, twice each.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const std::string plugin = robust::pluginCases()[i].plugin;
            const auto target = robust::importWithObject(loaded[i], robust::examplesOf(plugin));
            EXPECT_EQ(target.describeEvents(), expected.at(plugin)) << plugin;
        }
    }
}

TEST(BinaryInterface, LoadImportUnloadCyclesLeaveNothingBehind)
{
    auto cycle = [] {
        for (const auto& c : robust::pluginCases()) {
            const auto library = host::LoadedPlugin::load(test::pluginPath(c.plugin));
            robust::importWithObject(library, robust::examplesOf(c.plugin));
        }
    };
    cycle();
    for (const auto& c : robust::pluginCases())
        EXPECT_FALSE(mapped(test::pluginPath(c.plugin))) << c.plugin << " stays mapped after unloading";

#ifndef GNSSIMPORT_ASAN
    // Heap in use must not grow with the cycles (LeakSanitizer checks the
    // sanitizer build at exit instead).
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 20; ++i)
        cycle();
    const std::size_t after = mallinfo2().uordblks;
    EXPECT_LT(after, before + 64 * 1024) << "heap grew from " << before << " to " << after << " bytes";
#endif
}

} // namespace
