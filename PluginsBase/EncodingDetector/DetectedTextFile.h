// Whole-file reading with the code page chosen per file: the configured
// charset, UTF-8 for a file with a byte-order mark or for Russian text that
// is valid UTF-8, or the detected single-byte code page.
#pragma once

#include "../CommonHelpers/CharsetSettings.h"
#include "../CommonHelpers/FileBytes.h"
#include "../CommonHelpers/LineCursor.h"
#include "../CommonHelpers/TargetCharConverter.h"

#include <string>
#include <vector>

namespace Plugin {

// The lines of such a file, decoded one at a time: the file is held once,
// as bytes, however long it is.
class DetectedTextFile {
public:
    DetectedTextFile() = default;
    DetectedTextFile(const DetectedTextFile&) = delete; // the cursor points into the bytes
    DetectedTextFile& operator=(const DetectedTextFile&) = delete;

    // Returns false when the file cannot be opened or read. Otherwise stores
    // the chosen charset in converter when none is configured.
    bool open(const std::wstring& path, const CharsetSettings& charset,
              TargetCharConverter<ISatImportTarget3>& converter);
    std::size_t lineCount() const { return m_lineCount; }
    // Decodes the next line into line; false after the last one.
    bool nextLine(std::wstring& line);

private:
    FileBytes m_file;
    LineCursor m_lines;
    std::size_t m_lineCount = 0;
    TargetCharConverter<ISatImportTarget3>* m_converter = nullptr;
};

// All lines of such a file at once; false when it cannot be opened or read.
bool loadDetectedLines(const std::wstring& path, const CharsetSettings& charset,
                       TargetCharConverter<ISatImportTarget3>& converter, std::vector<std::wstring>& lines);

} // namespace Plugin
