#include "ArgumentPath.h"

#include "Text.h"

#include <cstdlib>
#include <system_error>

namespace cli {

ArgumentPath::ArgumentPath(const std::string& bytes) : m_displayPath(escapeNonUtf8(bytes))
{
    m_importPath = m_displayPath;
    if (isUtf8(bytes))
        return;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::absolute(bytes, ec);
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "gnssimport-XXXXXX").string();
    if (ec || !mkdtemp(&pattern[0]))
        return; // the plug-in then reports that it cannot open the escaped name
    m_linkDir = pattern;
    // The link keeps the escaped file name, and with it the extension and
    // the name that decide which plug-in reads the file and how.
    const std::filesystem::path link = m_linkDir / utf8(escapeNonUtf8(std::filesystem::path(bytes).filename().string()));
    std::filesystem::create_symlink(target, link, ec);
    if (!ec)
        m_importPath = fromUtf8(link.string());
}

ArgumentPath::~ArgumentPath()
{
    if (m_linkDir.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(m_linkDir, ec); // removes the link, never what it points to
}

} // namespace cli
