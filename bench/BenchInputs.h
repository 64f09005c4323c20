// The generated benchmark inputs (make_inputs.py) and one import of them
// through a plug-in library and the reference host.
#pragma once

#include "CountingTarget.h"
#include <gnssimport/host/PluginLoader.h>

#include <string>
#include <vector>

namespace bench {

struct Input {
    std::string format;  // topcon, tgotbc, lgo, pinnacle, spectrum
    int megabytes = 0;
    std::string path;
    std::string plugin;  // gnssimport-<plugin>.so
    std::string charset; // the plug-in's "charset" setting; empty: detected
    std::string codePage;
    long long bytes = 0;
    long records = 0;
};

// The inputs folder: $GNSSIMPORT_BENCH_INPUTS, else the one the build uses.
std::string inputsDir();
// The rows of inputs.tsv in dir; empty when there is none.
std::vector<Input> readInputs(const std::string& dir);

// gnssimport-<plugin>.so in $GNSSIMPORT_BENCH_PLUGINS, else in the build's
// plug-in folder (another folder holds, say, the libraries of an older build).
std::string pluginPath(const std::string& plugin);

// A plug-in library loaded once, with its charset setting given.
class Importer {
public:
    Importer(const std::string& plugin, const std::string& charset);
    // Imports path into a fresh counting target, hashing the events when asked.
    ImportCounts importFile(const std::string& path, bool hashEvents = false);

private:
    host::LoadedPlugin m_plugin;
};

} // namespace bench
