// Imports one file with one plug-in through the reference host's recording
// target, with progress on the bar and any escaping exception caught.
#pragma once

#include "ImportResult.h"
#include "ProgressBar.h"

#include <gnssimport/host/PluginLoader.h>

#include <string>

namespace cli {

struct ImporterOptions {
    std::string defaultCharset; // host's fallback for an empty charset name
    bool recordEvents = false;
    // Keep points and vectors in a temporary file rather than in memory.
    bool spool = false;
};

class Importer {
public:
    Importer(const ImporterOptions& options, ProgressBar& progress);
    FileResult run(host::LoadedPlugin& plugin, const std::wstring& path);

private:
    ImporterOptions m_options;
    ProgressBar& m_progress;
    std::shared_ptr<RecordSpool> m_spool; // shared by the results that refer to it
};

} // namespace cli
