// A file argument as the plug-ins can open it. The plug-ins take wide file
// names and open them through UTF-8, so a name in another encoding (CP1251
// from an old Windows share) is reached through a symbolic link with a UTF-8
// name in a temporary folder, removed again with this object.
#pragma once

#include <filesystem>
#include <string>

namespace cli {

class ArgumentPath {
public:
    explicit ArgumentPath(const std::string& bytes);
    ~ArgumentPath();
    ArgumentPath(const ArgumentPath&) = delete;
    ArgumentPath& operator=(const ArgumentPath&) = delete;

    // The name handed to the plug-ins.
    const std::wstring& importPath() const { return m_importPath; }
    // The name shown in messages and outputs: the argument, with bytes that
    // are not UTF-8 escaped as \xNN.
    const std::wstring& displayPath() const { return m_displayPath; }

private:
    std::wstring m_importPath;
    std::wstring m_displayPath;
    std::filesystem::path m_linkDir; // empty when no link was needed or it could not be made
};

} // namespace cli
