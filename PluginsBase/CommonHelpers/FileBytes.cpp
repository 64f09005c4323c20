#include "FileBytes.h"

#include "strutils.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstdint>
#include <cstring>
#include <fstream>
#include <ios>

namespace Plugin {

namespace {

// Maps the whole of a large buffer in one call before it is written: a file
// of 100 MB would otherwise take one page fault for every 4 KiB.
void prefault(std::string& buffer)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const auto page = static_cast<std::uintptr_t>(4096);
    if (buffer.capacity() < 64 * page)
        return;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + page - 1) & ~(page - 1);
    const std::uintptr_t last = (begin + buffer.capacity()) & ~(page - 1);
    madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE); // advice: failure is harmless
#else
    (void)buffer;
#endif
}

} // namespace

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
        // A byte-order mark is looked at first, so that the content is read
        // once, straight into place, and never moved.
        char head[3];
        ifs.read(head, sizeof head);
        const auto headSize = static_cast<std::size_t>(ifs.gcount());
        out.utf8Bom = headSize == 3 && std::memcmp(head, "\xEF\xBB\xBF", 3) == 0;
        if (!out.utf8Bom)
            out.bytes.assign(head, headSize);
        const auto size = std::filesystem::file_size(path, ec);
        if (ifs && !ec && size > headSize) {
            const std::size_t start = out.bytes.size();
            out.bytes.reserve(start + static_cast<std::size_t>(size - headSize));
            prefault(out.bytes);
            out.bytes.resize(start + static_cast<std::size_t>(size - headSize));
            ifs.read(&out.bytes[start], static_cast<std::streamsize>(out.bytes.size() - start));
            out.bytes.resize(start + static_cast<std::size_t>(ifs.gcount()));
        }
        // What the size did not tell: a file that grew, or one without a size.
        char buffer[1 << 16];
        while (ifs && (ifs.read(buffer, sizeof buffer) || ifs.gcount() > 0))
            out.bytes.append(buffer, static_cast<std::size_t>(ifs.gcount()));
        if (ifs.bad()) {
            out.bytes.clear();
            return false;
        }
    } catch (const std::ios_base::failure&) {
        // libstdc++'s filebuf throws on a read error (EISDIR, EIO).
        out.bytes.clear();
        out.utf8Bom = false;
        return false;
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
