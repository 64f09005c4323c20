#include "TestSupport.h"

#include "CommonHelpers/strutils.h"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace test {

std::string pluginPath(const std::string& name)
{
    return std::string(GNSSIMPORT_PLUGIN_DIR) + "/gnssimport-" + name + ".so";
}

std::filesystem::path dataPath(const std::string& relative)
{
    return std::filesystem::path(GNSSIMPORT_TEST_DATA_DIR) / relative;
}

std::filesystem::path sourcePath(const std::string& relative)
{
    return std::filesystem::path(GNSSIMPORT_SOURCE_DIR) / relative;
}

std::wstring W(const std::string& utf8) { return strutils::fromUtf8(utf8); }
std::string U(const std::wstring& wide) { return strutils::toUtf8(wide); }

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("gnssimport-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::wstring TempDir::write(const std::string& name, const std::string& bytes) const
{
    const auto p = m_path / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return W(p.string());
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

host::RecordingTarget importWith(const std::string& plugin, const std::vector<std::wstring>& paths, const ImportRun& run)
{
    host::LoadedPlugin loaded = host::LoadedPlugin::load(pluginPath(plugin));
    host::SettingsStore settings;
    for (const auto& kv : run.settings)
        settings.set(kv.first, kv.second);
    loaded.plugin()->LoadSettings(&settings);
    host::RecordingTarget target(run.options);
    host::FileList files(paths);
    loaded.plugin()->DoImport(&files, &target);
    return target;
}

CLocaleGuard::CLocaleGuard(const char* name)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    m_previous = previous ? previous : "C";
    m_ok = name && std::setlocale(LC_ALL, name) != nullptr;
}

CLocaleGuard::~CLocaleGuard() { std::setlocale(LC_ALL, m_previous.c_str()); }

const char* commaDecimalLocale()
{
    static const char* const candidates[] = {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
    for (const char* name : candidates) {
        CLocaleGuard guard(name);
        if (guard.ok()) {
            const char* point = std::localeconv()->decimal_point;
            if (point && point[0] == ',')
                return name;
        }
    }
    return nullptr;
}

} // namespace test
