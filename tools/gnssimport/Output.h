// Writes the import results in the chosen format to stdout or to files.
#pragma once

#include "ImportResult.h"
#include "Options.h"

#include <ostream>

namespace cli {

// Throws std::runtime_error when an output file cannot be written, and
// ExportError when an export has nothing to adjust; what an export leaves
// out is told on err. Files appear only once completely written.
void writeOutput(const Options& options, const ImportResults& results, std::ostream& stdOut, std::ostream& err);

} // namespace cli
