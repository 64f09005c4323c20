// The three commands of gnssimport; each returns the exit status.
#pragma once

#include "Options.h"

#include <istream>
#include <ostream>

namespace cli {

// Exit status: 0 when every file imported without errors, 1 when any file
// reported an error, 2 for usage errors and plug-ins that cannot be loaded.
int runImport(const Options& options, std::ostream& out, std::ostream& err);
int runPlugins(const Options& options, std::ostream& out, std::ostream& err);
int runConfigure(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace cli
