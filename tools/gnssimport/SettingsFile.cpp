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
        m_effective.set(fromUtf8(setting.first), fromUtf8(setting.second));
    if (options.charset)
        m_effective.set(L"charset", fromUtf8(*options.charset));
}

void SettingsFile::saveBack(const PluginCatalog& catalog) const
{
    if (m_path.empty())
        return;
    host::SettingsStore saved = m_stored;
    catalog.saveSettings(saved);
    if (saved.values() != m_stored.values() || !std::filesystem::exists(m_path))
        saved.saveFile(m_path);
}

} // namespace cli
