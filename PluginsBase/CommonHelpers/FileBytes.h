// Whole-file reading shared by every way a plug-in reads a file.
#pragma once

#include "TargetCharConverter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Plugin {

struct FileBytes {
    std::string bytes;    // content without a leading UTF-8 byte-order mark
    bool utf8Bom = false; // the file started with EF BB BF
};

// Reads the whole file. Returns false when it cannot be opened or read,
// a directory included.
bool readFileBytes(const std::filesystem::path& path, FileBytes& out);

// Cuts bytes into lines (LF, CR LF or CR) and decodes each one on its own.
std::vector<std::wstring> splitLines(const std::string& bytes, ICharConverter& converter);

} // namespace Plugin
