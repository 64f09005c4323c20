#include "FileReader.h"

#include "FileBytes.h"
#include "Utils.h"

namespace Plugin {

FileReader::FileReader(const std::wstring& path, ICharConverter* converter)
    : m_converter(converter)
{
    const std::filesystem::path p = toPath(path);
    std::error_code ec;
    m_file_size = std::filesystem::file_size(p, ec);
    if (ec)
        m_file_size = 0;
    FileBytes file;
    m_open = readFileBytes(p, file);
    if (m_open)
        m_content = std::move(file.bytes);
    else
        m_state = std::ios::failbit;
    m_lines.reset(m_content);
}

bool FileReader::readLine(std::wstring& out)
{
    const char* bytes = nullptr;
    std::size_t size = 0;
    if (!m_open || !m_lines.next(bytes, size)) {
        m_state |= std::ios::eofbit;
        out.clear();
        return false;
    }
    m_converter->convertInto(bytes, size, out);
    return true;
}

std::wstring FileReader::readLine()
{
    std::wstring line;
    readLine(line);
    return line;
}

void FileReader::readLines(std::vector<std::wstring>& lines)
{
    lines.clear();
    if (!isOpen())
        return;
    lines.reserve(lineCount());
    std::wstring line;
    while (readLine(line))
        lines.push_back(std::move(line));
}

std::size_t FileReader::lineCount() const
{
    return m_open ? countLines(m_content) : 0;
}

float FileReader::getPercent() const
{
    if (m_content.empty())
        return 0.0f;
    return 100.0f * static_cast<float>(m_lines.position()) / static_cast<float>(m_content.size());
}

} // namespace Plugin
