// Imports Pinnacle files through the real plug-in and renders what the
// target received as a compact trace, e.g. Point(P1) Latitude=0.9 Line(3).
#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

namespace pinnacle {

struct DatFile {
    std::string name;    // file name inside a fresh directory, may hold a sub-folder
    std::string content; // bytes as written
};

struct Imported {
    host::RecordingTarget target;
    std::vector<std::wstring> paths;
};

// Writes the files and imports them in one DoImport, offering
// ISatImportTarget2 or not.
Imported importFiles(const std::vector<DatFile>& files, bool target2 = true, const std::wstring& charset = L"");

// Every event except SetCurrentFile rendered compactly; SetCurrentFile
// becomes File(<last path component>).
std::vector<std::string> trace(const host::RecordingTarget& target);

// Messages the host raised about the event stream.
std::size_t hostWarnings(const host::RecordingTarget& target);

} // namespace pinnacle
