#include "Import.h"

#include <gnssimport/host/FileList.h>
#include <gnssimport/host/ImportRun.h>
#include <gnssimport/host/PluginLoader.h>
#include <gnssimport/host/RecordingTarget.h>
#include <gnssimport/host/Utf8.h>

#include <cpl_conv.h>

#include <boost/algorithm/string/predicate.hpp>

#include <dlfcn.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ogrgnss {

namespace {

std::string libraryPath(const std::string& dir, const std::string& name)
{
    return (fs::path(dir) / ("gnssimport-" + name + ".so")).string();
}

// The folder of the library this code is linked into.
fs::path moduleDirectory()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleDirectory), &info) == 0 || !info.dli_fname)
        return fs::path();
    std::error_code ec;
    const fs::path self = fs::canonical(info.dli_fname, ec);
    return ec ? fs::path(info.dli_fname).parent_path() : self.parent_path();
}

void checkReadable(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw std::runtime_error("cannot open " + path + ": is a directory");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
}

} // namespace

const std::vector<std::string>& pluginNames()
{
    static const std::vector<std::string> names = {"tgotbc", "pinnacle", "topcon", "lgo", "spectrum"};
    return names;
}

std::string pluginDirectory()
{
    if (const char* configured = CPLGetConfigOption("GNSSIMPORT_PLUGIN_DIR", nullptr))
        return configured;
    const fs::path here = moduleDirectory();
    for (const fs::path& candidate : {here / GNSSIMPORT_DRIVER_RELATIVE_PLUGIN_DIR, here / ".." / "plugins"}) {
        std::error_code ec;
        if (fs::exists(candidate / ("gnssimport-" + pluginNames().front() + ".so"), ec))
            return candidate.lexically_normal().string();
    }
    return (here / GNSSIMPORT_DRIVER_RELATIVE_PLUGIN_DIR).lexically_normal().string();
}

ImportOutcome importWith(const std::string& dir, const std::string& name, const std::string& path,
                         const host::SettingsStore& settings)
{
    checkReadable(path);
    host::LoadedPlugin plugin = host::LoadedPlugin::load(libraryPath(dir, name));
    host::SettingsStore store = settings;
    plugin.plugin()->LoadSettings(&store);

    host::RecordingTarget::Options options;
    options.recordProgress = false;
    options.offerCovariance = true;
    host::RecordingTarget target(options);
    target.setRecordEvents(false);
    host::FileList files;
    files.add(host::fromUtf8(path));
    const std::string failure = host::runImport(*plugin.plugin(), files, target);

    ImportOutcome outcome;
    outcome.plugin = host::toUtf8(plugin.descriptor().name);
    outcome.file.path = files.paths().front();
    host::mergeFiles(target.takeFiles(), outcome.file);
    if (!failure.empty())
        outcome.file.messages.push_back({host::ImportMessage::Error, L"import aborted: " + host::fromUtf8(failure), -1});
    return outcome;
}

ImportOutcome importWithAny(const std::string& dir, const std::string& path, const host::SettingsStore& settings)
{
    std::vector<ImportOutcome> trials;
    for (const auto& name : pluginNames()) {
        ImportOutcome outcome = importWith(dir, name, path, settings);
        const bool records = !outcome.file.points.empty() || !outcome.file.vectors.empty();
        if (records && !outcome.file.hasFileLevelError())
            return outcome;
        trials.push_back(std::move(outcome));
    }
    for (auto& outcome : trials)
        if (!outcome.file.points.empty() || !outcome.file.vectors.empty())
            return std::move(outcome);
    std::wstring tried;
    for (const auto& outcome : trials)
        tried += (tried.empty() ? L"" : L", ") + host::fromUtf8(outcome.plugin);
    ImportOutcome none;
    none.file.path = host::fromUtf8(path);
    none.file.messages.push_back({host::ImportMessage::Error, L"no plug-in recognises this file (tried " + tried + L")", -1});
    return none;
}

std::string resolvePlugin(const std::string& dir, const std::string& value)
{
    for (const auto& name : pluginNames())
        if (boost::iequals(name, value))
            return name;
    for (const auto& name : pluginNames()) {
        try {
            if (boost::iequals(host::toUtf8(host::LoadedPlugin::load(libraryPath(dir, name)).descriptor().name), value))
                return name;
        } catch (const host::LoadError&) {
        }
    }
    return std::string();
}

} // namespace ogrgnss
