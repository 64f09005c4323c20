// Writes the import results in the chosen format to stdout or to files.
#pragma once

#include "ImportResult.h"
#include "Options.h"
#include "OutputFile.h"

#include <memory>
#include <ostream>
#include <vector>

namespace cli {

// The outputs of one import run, created before the imports start so that
// a path that cannot be written is found at once. Files appear only once
// completely written.
class Outputs {
public:
    // Throws std::runtime_error when an output file cannot be created.
    Outputs(const Options& options, std::ostream& stdOut);

    // Writes results in the chosen format; throws ExportError when an
    // export has nothing to adjust; what an export leaves out is told on err.
    void write(const ImportResults& results, std::ostream& err);
    // Checks every write, stdout's included, and moves the files into
    // place; throws std::runtime_error naming the output that failed.
    void commit();

private:
    const Options& m_options;
    OutputFile m_stdout;
    // csv: points and vectors; dynaml: stations and measurements.
    std::vector<std::unique_ptr<OutputFile>> m_files;
};

} // namespace cli
