#include <gnssimport/host/FileReplacement.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace host {

namespace {

std::runtime_error failure(const char* what, const std::string& path, int error)
{
    return std::runtime_error(std::string(what) + " " + path + ": " + std::strerror(error));
}

// The file a chain of symbolic links ends at (it may not exist yet).
std::string followLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::vector<char> target(4096);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
            break;
        std::string next(target.data(), static_cast<std::size_t>(n));
        const std::size_t slash = path.rfind('/');
        if (next[0] != '/' && slash != std::string::npos)
            next = path.substr(0, slash + 1) + next;
        path = next;
    }
    return path;
}

mode_t modeFor(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileReplacement::FileReplacement(const std::string& path) : m_path(followLinks(path))
{
    const std::size_t slash = m_path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : m_path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    std::string pattern = dir + "." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkstemp(name.data());
    if (m_fd < 0)
        throw failure("cannot create", path, errno);
    m_temporary = name.data();
    ::fchmod(m_fd, modeFor(m_path));
}

FileReplacement::~FileReplacement()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temporary.c_str());
    }
}

void FileReplacement::commit()
{
    if (::fsync(m_fd) != 0 || std::rename(m_temporary.c_str(), m_path.c_str()) != 0)
        throw failure("cannot write", m_path, errno);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace host
