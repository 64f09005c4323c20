#include "PendingFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <unistd.h>

namespace cli {

PendingFile::PendingFile(std::string path)
    : m_path(std::move(path)), m_temporary(m_path + ".tmp" + std::to_string(::getpid()))
{
    m_out.open(m_temporary, std::ios::binary | std::ios::trunc);
    if (!m_out)
        throw std::runtime_error("cannot create " + m_path + ": " + std::strerror(errno));
}

PendingFile::~PendingFile()
{
    if (!m_done) {
        m_out.close();
        std::remove(m_temporary.c_str());
    }
}

void PendingFile::commit()
{
    m_out.close();
    if (!m_out)
        throw std::runtime_error("cannot write " + m_path);
    if (std::rename(m_temporary.c_str(), m_path.c_str()) != 0)
        throw std::runtime_error("cannot write " + m_path + ": " + std::strerror(errno));
    m_done = true;
}

} // namespace cli
