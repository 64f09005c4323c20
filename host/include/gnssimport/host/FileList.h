// The host's list of files handed to DoImport.
#pragma once

#include <gnssimport/BaseTypes.h>

#include <string>
#include <vector>

namespace host {

class FileList : public Plugin::IEnumerator<const wchar_t*> {
public:
    FileList() = default;
    explicit FileList(std::vector<std::wstring> paths) : m_paths(std::move(paths)) {}

    bool IsValid() override { return m_index < m_paths.size(); }
    void MoveNext() override { ++m_index; }
    const wchar_t* Current() override { return IsValid() ? m_paths[m_index].c_str() : nullptr; }
    void Reset() override { m_index = 0; }

    void add(const std::wstring& path) { m_paths.push_back(path); }
    const std::vector<std::wstring>& paths() const { return m_paths; }

private:
    std::vector<std::wstring> m_paths;
    std::size_t m_index = 0;
};

} // namespace host
