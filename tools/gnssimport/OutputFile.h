// One output of the tool: stdout, or a file created before the imports
// under a temporary name beside it and renamed over it only when every
// write succeeded, so that a failed run leaves no half-written file and
// never clobbers an earlier one.
#pragma once

#include <gnssimport/host/FileReplacement.h>

#include <fstream>
#include <memory>
#include <ostream>
#include <string>

namespace cli {

class OutputFile {
public:
    // "" or "-" is stdOut. A path that names a device or pipe (/dev/null,
    // a FIFO) is written in place. Throws std::runtime_error naming the
    // path when the file cannot be created.
    OutputFile(const std::string& path, std::ostream& stdOut);
    // Until commit() the file is a temporary one, removed on destruction.
    std::ostream& stream() { return *m_stream; }
    // "stdout" or the path.
    const std::string& name() const { return m_name; }
    // Flushes; throws std::runtime_error naming the output when a write failed.
    void check();
    // check(), then closes the file and moves it into place.
    void commit();

private:
    std::string m_name;
    std::unique_ptr<host::FileReplacement> m_replacement; // null when written in place
    std::ofstream m_file;
    std::ostream* m_stream;
};

} // namespace cli
