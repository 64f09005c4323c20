#include "SettingsFile.h"

#include "Text.h"

#include <filesystem>

namespace cli {

SettingsFile::SettingsFile(const Options& options) : m_path(options.settingsFile)
{
    std::error_code ec;
    if (!m_path.empty() && std::filesystem::exists(m_path, ec))
        m_stored.loadFile(m_path);
    m_effective = m_stored;
    for (const auto& setting : options.settings)
        override(fromUtf8(setting.first), fromUtf8(setting.second));
    if (options.charset)
        override(L"charset", fromUtf8(*options.charset));
}

void SettingsFile::override(const std::wstring& key, const std::wstring& value)
{
    m_effective.set(key, value);
    m_overridden.insert(key);
}

void SettingsFile::saveBack(const PluginCatalog& catalog) const
{
    if (m_path.empty())
        return;
    host::SettingsStore written;
    catalog.saveSettings(written);
    // Command-line overrides hold for one run: what a plug-in saves under
    // an overridden key does not reach the file.
    host::SettingsStore saved = m_stored;
    for (const auto& entry : written.values())
        if (!m_overridden.count(entry.first))
            saved.set(entry.first, entry.second);
    if (saved.values() != m_stored.values() || !std::filesystem::exists(m_path))
        saved.saveFile(m_path);
}

} // namespace cli
