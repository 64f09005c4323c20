// An output file written under a temporary name beside its final one and
// renamed into place only when all was written, so that a failed run never
// leaves a half-written file behind.
#pragma once

#include <fstream>
#include <string>

namespace cli {

class PendingFile {
public:
    // Throws std::runtime_error when the temporary file cannot be created.
    explicit PendingFile(std::string path);
    ~PendingFile(); // removes the temporary file unless committed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    std::ostream& stream() { return m_out; }
    // Closes and checks the stream, then renames; throws std::runtime_error.
    void commit();

private:
    std::string m_path, m_temporary;
    std::ofstream m_out;
    bool m_done = false;
};

} // namespace cli
