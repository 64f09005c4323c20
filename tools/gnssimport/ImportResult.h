// What the tool keeps of one imported file: the plug-in that read it, the
// assembled points, vectors and messages, and the raw events when asked.
#pragma once

#include <gnssimport/host/ImportModel.h>
#include <gnssimport/host/RecordingTarget.h>

#include <string>
#include <vector>

namespace cli {

struct FileResult {
    std::wstring path;      // as given on the command line
    std::string pluginName; // descriptor name; empty when no plug-in read the file
    host::ImportedFile data;
    std::vector<host::TargetEvent> events;

    std::size_t records() const { return data.points.size() + data.vectors.size(); }
};

using ImportResults = std::vector<FileResult>;

} // namespace cli
