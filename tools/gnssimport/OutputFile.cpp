#include "OutputFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>

namespace cli {

namespace {

std::runtime_error failure(const std::string& what, const std::string& name, int error)
{
    return std::runtime_error(what + " " + name + (error ? std::string(": ") + std::strerror(error) : std::string()));
}

} // namespace

OutputFile::OutputFile(const std::string& path, std::ostream& stdOut) : m_stream(&stdOut)
{
    if (path.empty() || path == "-") {
        m_name = "stdout";
        return;
    }
    m_name = path;
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        throw failure("cannot create", path, EISDIR);
    if (!exists || S_ISREG(st.st_mode))
        m_replacement = std::make_unique<host::FileReplacement>(path);
    errno = 0;
    m_file.open(m_replacement ? m_replacement->temporaryPath() : path, std::ios::binary | std::ios::trunc);
    if (!m_file)
        throw failure("cannot create", path, errno);
    m_stream = &m_file;
}

void OutputFile::check()
{
    errno = 0;
    m_stream->flush();
    if (!*m_stream)
        throw failure("cannot write", m_name, errno);
}

void OutputFile::commit()
{
    check();
    if (m_stream != &m_file)
        return;
    errno = 0;
    m_file.close();
    if (!m_file)
        throw failure("cannot write", m_name, errno);
    if (m_replacement)
        m_replacement->commit();
}

} // namespace cli
