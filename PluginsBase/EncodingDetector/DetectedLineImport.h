// The per-file loop of the plug-ins that read whole files with a detected
// code page: open, decode line by line, parse, report progress and errors.
#pragma once

#include "../CommonHelpers/CharsetSettings.h"
#include "../CommonHelpers/TargetCharConverter.h"

#include <functional>
#include <string>

namespace Plugin {

// What a CParseException thrown by one line does to the rest of the file.
enum class LineErrorPolicy {
    ReportAndContinue, // reported, the next line follows
    ReportAndEndFile,  // reported, the remaining lines are not parsed
};

// The parser of one file, seen from the loop.
struct LineParser {
    std::function<void(std::wstring& line)> parseLine;
    std::function<bool()> somethingParsed;
};

// Reads path, names each line with SetCurrentLine, hands it to the parser
// and reports the progress. An unreadable file is reported with
// IDS_FILE_OPEN_ERROR, a file that yields nothing with IDS_INVALID_FILE_FORMAT.
void importDetectedLines(const std::wstring& path, const CharsetSettings& charset,
                         TargetCharConverter<ISatImportTarget3>& converter, ISatImportTarget* target,
                         const LineParser& parser, LineErrorPolicy policy);

} // namespace Plugin
