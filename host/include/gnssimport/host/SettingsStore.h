// An in-memory settings store, loadable from and savable to a UTF-8
// key=value file.
#pragma once

#include <gnssimport/Settings.h>

#include <map>
#include <string>

namespace host {

class SettingsStore : public Plugin::ISettings {
public:
    bool ReadString(const wchar_t* key, Plugin::IString* value, const wchar_t* defaultValue) override;
    void Reserved2() override {}
    void Reserved3() override {}
    bool WriteString(const wchar_t* key, Plugin::IString* value) override;

    void set(const std::wstring& key, const std::wstring& value) { m_values[key] = value; }
    bool has(const std::wstring& key) const { return m_values.count(key) != 0; }
    std::wstring get(const std::wstring& key, const std::wstring& fallback = std::wstring()) const;
    const std::map<std::wstring, std::wstring>& values() const { return m_values; }
    int readCount() const { return m_reads; }
    int writeCount() const { return m_writes; }

    // File format: one "key=value" per line, UTF-8; "#" starts a comment
    // line. Backslash escapes \n, \r and \\ keep values on one line.
    // Both throw std::runtime_error with the path on failure.
    void loadFile(const std::string& path);
    void saveFile(const std::string& path) const;

private:
    std::map<std::wstring, std::wstring> m_values;
    int m_reads = 0;
    int m_writes = 0;
};

} // namespace host
