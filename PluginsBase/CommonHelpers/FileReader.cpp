#include "FileReader.h"

#include "FileBytes.h"
#include "Utils.h"
#include "strutils.h"

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
}

bool FileReader::readLine(std::wstring& out)
{
    std::string bytes;
    if (!m_open || !strutils::nextLine(m_content, m_pos, bytes)) {
        m_state |= std::ios::eofbit;
        out.clear();
        return false;
    }
    out = m_converter->convertString(bytes);
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
    std::wstring line;
    while (readLine(line))
        lines.push_back(std::move(line));
}

float FileReader::getPercent() const
{
    if (m_content.empty())
        return 0.0f;
    return 100.0f * static_cast<float>(m_pos) / static_cast<float>(m_content.size());
}

} // namespace Plugin
