// Chooses the plug-in for each file: by the descriptors' file filters, and
// where several claim a file, by trial import.
#pragma once

#include "ImportResult.h"
#include "Importer.h"
#include "PluginCatalog.h"

namespace cli {

class Router {
public:
    Router(PluginCatalog& catalog, Importer& importer);

    // Imports path with the plug-in that reads it. Of the plug-ins whose
    // filter matches (all of them when none does), the first whose import
    // yields a point or a vector and no error outside a line wins; failing
    // that, the first that yields anything. A lone plug-in whose filter
    // matches is taken whatever it yields.
    FileResult route(const std::wstring& path);

private:
    PluginCatalog& m_catalog;
    Importer& m_importer;
};

// True when the file has an error not tied to a line: the plug-in rejected
// the file as a whole rather than one of its records.
bool hasFileLevelError(const host::ImportedFile& file);

} // namespace cli
