// Runs one file through a plug-in of the reference host and keeps what it
// imported: points, vectors and the plug-in's messages.
#pragma once

#include <gnssimport/host/ImportModel.h>
#include <gnssimport/host/SettingsStore.h>

#include <string>
#include <vector>

namespace ogrgnss {

// The plug-ins' short names, in the order a file no signature claims is
// offered to them.
const std::vector<std::string>& pluginNames();

// Where the plug-in libraries lie: the GNSSIMPORT_PLUGIN_DIR configuration
// option, else beside this driver in the install layout or the build tree.
std::string pluginDirectory();

struct ImportOutcome {
    host::ImportedFile file;
    std::string plugin; // descriptor name of the plug-in that read the file
    // Other files whose points place the ends of this file's vectors
    // (a Pinnacle vector.dat's station.dat).
    std::vector<host::ImportedFile> context;
};

// Imports path with gnssimport-<name>.so from dir. Throws host::LoadError
// when the plug-in cannot be loaded and std::runtime_error naming the file
// when the file cannot be read; anything the plug-in throws becomes an
// error message of the file.
ImportOutcome importWith(const std::string& dir, const std::string& name, const std::string& path,
                         const host::SettingsStore& settings);

// Offers the file to every plug-in: the first import that yields a point or
// a vector without rejecting the file wins, then the first that yields any;
// otherwise an empty outcome whose one error names the plug-ins tried.
ImportOutcome importWithAny(const std::string& dir, const std::string& path, const host::SettingsStore& settings);

// The short name for a PLUGIN value: a short name or a descriptor name, in
// any letter case; empty when no plug-in has that name.
std::string resolvePlugin(const std::string& dir, const std::string& value);

} // namespace ogrgnss
