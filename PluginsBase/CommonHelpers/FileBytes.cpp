#include "FileBytes.h"

#include "strutils.h"

#include <fstream>
#include <ios>

namespace Plugin {

bool readFileBytes(const std::filesystem::path& path, FileBytes& out)
{
    out.bytes.clear();
    out.utf8Bom = false;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::ifstream ifs(path, std::ios::in | std::ios::binary);
    if (!ifs.is_open())
        return false;
    try {
        const auto size = std::filesystem::file_size(path, ec);
        if (!ec && size > 0)
            out.bytes.reserve(static_cast<std::size_t>(size));
        char buffer[1 << 16];
        while (ifs.read(buffer, sizeof buffer) || ifs.gcount() > 0)
            out.bytes.append(buffer, static_cast<std::size_t>(ifs.gcount()));
        if (ifs.bad())
            return false;
    } catch (const std::ios_base::failure&) {
        // libstdc++'s filebuf throws on a read error (EISDIR, EIO).
        out.bytes.clear();
        return false;
    }
    if (out.bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        out.bytes.erase(0, 3);
        out.utf8Bom = true;
    }
    return true;
}

std::vector<std::wstring> splitLines(const std::string& bytes, ICharConverter& converter)
{
    std::vector<std::wstring> lines;
    std::string line;
    std::size_t pos = 0;
    while (strutils::nextLine(bytes, pos, line))
        lines.push_back(converter.convertString(line));
    return lines;
}

} // namespace Plugin
