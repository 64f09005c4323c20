// Helpers shared by the tests: plug-in paths, temporary files, one-call
// imports through the reference host, and locale switching.
#pragma once

#include <gnssimport/host/FileList.h>
#include <gnssimport/host/PluginLoader.h>
#include <gnssimport/host/RecordingTarget.h>
#include <gnssimport/host/SettingsStore.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace test {

// Build-tree path of gnssimport-<name>.so.
std::string pluginPath(const std::string& name);
// Path below tests/data or the source tree.
std::filesystem::path dataPath(const std::string& relative);
std::filesystem::path sourcePath(const std::string& relative);

std::wstring W(const std::string& utf8);
std::string U(const std::wstring& wide);

// A fresh directory removed with everything in it at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Writes bytes to name inside the directory; returns the wide path.
    std::wstring write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

std::string readBytes(const std::filesystem::path& path);

// Loads a plug-in, gives it settings, imports paths into target.
struct ImportRun {
    std::map<std::wstring, std::wstring> settings; // e.g. {L"charset", L"CP1251"}
    host::RecordingTarget::Options options;
};
host::RecordingTarget importWith(const std::string& plugin, const std::vector<std::wstring>& paths,
                                 const ImportRun& run = ImportRun());

// Switches the C locale (LC_ALL) for the scope; ok() is false when the
// locale is not installed.
class CLocaleGuard {
public:
    explicit CLocaleGuard(const char* name);
    ~CLocaleGuard();
    bool ok() const { return m_ok; }

private:
    std::string m_previous;
    bool m_ok = false;
};

// A locale whose decimal mark is a comma, or nullptr when none is installed.
const char* commaDecimalLocale();

} // namespace test
