// Which of the five formats a file is, told from its name and first bytes
// alone, so that the driver claims only what one of the plug-ins reads and
// leaves other CSV, text, .asc and .dat files to the drivers that own them.
#pragma once

#include <string>

namespace host {

// The column names that make a separated table an LGO export.
struct LgoHeaderNames {
    std::string pointId = "Point Id";
    std::string referenceId = "Reference Id";
    std::string roverId = "Rover Id";
};

// The short name of the plug-in ("spectrum", "tgotbc", "lgo", "pinnacle",
// "topcon") whose format the file's first bytes positively show, or an
// empty string. head holds the start of the file (a few kilobytes).
std::string identifyFormat(const std::string& path, const std::string& head, const LgoHeaderNames& lgo = {});

// The bytes of head up to its first line end, without it.
std::string firstLine(const std::string& head);

} // namespace host
