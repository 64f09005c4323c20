// Whole-file reading with the code page chosen per file: the configured
// charset, UTF-8 for a file with a byte-order mark, or the detected one.
#pragma once

#include "../CommonHelpers/CharsetSettings.h"
#include "../CommonHelpers/TargetCharConverter.h"

#include <string>
#include <vector>

namespace Plugin {

// Returns false when the file cannot be opened or read. Otherwise fills
// lines with the decoded lines, after storing the chosen charset in
// converter when none is configured.
bool loadDetectedLines(const std::wstring& path, const CharsetSettings& charset,
                       TargetCharConverter<ISatImportTarget3>& converter, std::vector<std::wstring>& lines);

} // namespace Plugin
