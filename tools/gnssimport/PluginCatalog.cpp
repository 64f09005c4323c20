#include "PluginCatalog.h"

#include "Text.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace cli {

namespace {

const std::string kPrefix = "gnssimport-";
const std::string kSuffix = ".so";

fs::path executableDir()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : self.parent_path();
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool isPluginFile(const fs::directory_entry& entry, std::string& name)
{
    const std::string file = entry.path().filename().string();
    if (file.size() <= kPrefix.size() + kSuffix.size() || file.compare(0, kPrefix.size(), kPrefix) != 0
        || file.compare(file.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return false;
    std::error_code ec;
    if (!entry.is_regular_file(ec))
        return false;
    name = file.substr(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
    return true;
}

} // namespace

PluginCatalog::PluginCatalog(const std::vector<fs::path>& dirs, const host::SettingsStore& settings)
    : m_settings(settings)
{
    for (const auto& dir : dirs) {
        std::error_code ec;
        std::vector<PluginEntry> found;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name;
            if (isPluginFile(*it, name))
                found.push_back({name, it->path(), nullptr, {}});
        }
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
        for (auto& entry : found) {
            const bool hidden = std::any_of(m_entries.begin(), m_entries.end(),
                                            [&](const PluginEntry& e) { return e.name == entry.name; });
            if (!hidden)
                m_entries.push_back(std::move(entry));
        }
    }
}

std::vector<fs::path> PluginCatalog::searchPath(const std::vector<std::string>& explicitDirs)
{
    std::vector<fs::path> dirs(explicitDirs.begin(), explicitDirs.end());
    const fs::path exe = executableDir();
    dirs.push_back((exe / GNSSIMPORT_RELATIVE_PLUGIN_DIR).lexically_normal());
    dirs.push_back((exe / ".." / "lib" / "gnssimport").lexically_normal());
    dirs.push_back((exe / ".." / "plugins").lexically_normal());
    return dirs;
}

host::LoadedPlugin& PluginCatalog::load(PluginEntry& entry)
{
    if (!entry.loaded) {
        entry.loaded = std::make_unique<host::LoadedPlugin>(host::LoadedPlugin::load(entry.path.string()));
        entry.loaded->plugin()->LoadSettings(&m_settings);
    }
    return *entry.loaded;
}

std::vector<std::string> PluginCatalog::loadAll()
{
    std::vector<std::string> skipped;
    for (auto& entry : m_entries) {
        if (entry.loaded || !entry.failure.empty())
            continue;
        try {
            load(entry);
        } catch (const host::LoadError& e) {
            entry.failure = e.what();
            skipped.push_back(entry.failure);
        }
    }
    return skipped;
}

PluginEntry& PluginCatalog::resolve(const std::string& nameOrPath)
{
    const bool isPath = nameOrPath.find('/') != std::string::npos
                        || (nameOrPath.size() > kSuffix.size()
                            && nameOrPath.compare(nameOrPath.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0);
    if (isPath) {
        const fs::path path = fs::absolute(nameOrPath);
        for (auto& entry : m_entries)
            if (entry.path == path)
                return entry;
        std::string name = path.stem().string();
        if (name.compare(0, kPrefix.size(), kPrefix) == 0)
            name.erase(0, kPrefix.size());
        m_entries.push_back({name, path, nullptr, {}});
        return m_entries.back();
    }
    const std::string wanted = lower(nameOrPath);
    for (auto& entry : m_entries)
        if (lower(entry.name) == wanted)
            return entry;
    loadAll();
    for (auto& entry : m_entries)
        if (entry.loaded && lower(utf8(entry.loaded->descriptor().name)) == wanted)
            return entry;
    throw host::LoadError("no plug-in named " + nameOrPath);
}

void PluginCatalog::saveSettings(host::SettingsStore& store) const
{
    for (const auto& entry : m_entries)
        if (entry.loaded)
            entry.loaded->plugin()->SaveSettings(&store);
}

} // namespace cli
