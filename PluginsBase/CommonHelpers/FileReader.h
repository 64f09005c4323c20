// Reads a text file line by line, decoding each line through a converter.
#pragma once

#include "LineCursor.h"
#include "TargetCharConverter.h"

#include <cstdint>
#include <ios>
#include <string>
#include <vector>

namespace Plugin {

class FileReader {
public:
    // The file is read whole on opening; a file that cannot be opened or
    // read (a directory included) is reported by isOpen() as not open.
    FileReader(const std::wstring& path, ICharConverter* converter);
    FileReader(const FileReader&) = delete; // the line cursor points into the content
    FileReader& operator=(const FileReader&) = delete;

    bool isOpen() const { return m_open; }
    std::ios_base::iostate getError() const { return m_state; }

    bool readLine(std::wstring& out);
    std::wstring readLine();
    void readLines(std::vector<std::wstring>& lines);
    // Lines of the whole file, read or not (0 when it is not open).
    std::size_t lineCount() const;

    // Share of the file consumed so far, 0 to 100 (0 for an empty file).
    float getPercent() const;

private:
    std::ios_base::iostate m_state = std::ios_base::goodbit;
    ICharConverter* m_converter;
    std::uintmax_t m_file_size = 0;
    bool m_open = false;
    std::string m_content;
    LineCursor m_lines;
};

} // namespace Plugin
