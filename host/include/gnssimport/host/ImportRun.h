// One import through a plug-in as every host runs it: nothing the plug-in
// throws escapes, and the files the target recorded become one result.
#pragma once

#include <gnssimport/host/FileList.h>
#include <gnssimport/host/ImportModel.h>
#include <gnssimport/Plugin.h>

#include <string>
#include <vector>

namespace host {

// Calls DoImport; returns what escaped it (an exception's text), or an
// empty string when the import returned normally.
std::string runImport(Plugin::ISatelliteMIP& plugin, FileList& files, Plugin::ISatImportTarget& target);

// Moves the points, vectors, messages and progress of files to the end of
// into: a plug-in may announce one file more than once, or not at all when
// it fails before doing so.
void mergeFiles(std::vector<ImportedFile>&& files, ImportedFile& into);

} // namespace host
