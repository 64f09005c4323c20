// Points and vectors kept in a temporary file instead of memory, so that a
// large import takes little more memory than the plug-in needs to read it.
// The file is removed as soon as it is created; records are read back in
// the order they came.
#pragma once

#include <gnssimport/host/ImportModel.h>

#include <cstdint>
#include <functional>
#include <string>

namespace cli {

class RecordSpool : public host::RecordSink {
public:
    // In TMPDIR, else /tmp; throws std::runtime_error when neither takes one.
    RecordSpool();
    ~RecordSpool() override;
    RecordSpool(const RecordSpool&) = delete;
    RecordSpool& operator=(const RecordSpool&) = delete;

    // Appended; a write that fails is remembered (see failure()) rather than
    // thrown, as these are called from inside a plug-in's import.
    void point(const host::ImportedPoint& point) override;
    void vector(const host::ImportedVector& vector) override;

    // Where the next record will start.
    std::uint64_t end() const { return m_written + m_buffer.size(); }
    // Why a write failed, or empty.
    const std::string& failure() const { return m_failure; }

    // The records from begin up to end, in order; an empty function passes
    // over the records of its kind. Throws std::runtime_error when the file
    // cannot be read back.
    void read(std::uint64_t begin, std::uint64_t end, const std::function<void(const host::ImportedPoint&)>& onPoint,
              const std::function<void(const host::ImportedVector&)>& onVector);

private:
    void flush();

    int m_fd = -1;
    std::string m_buffer;      // not yet written
    std::uint64_t m_written = 0; // bytes in the file
    std::string m_failure;
};

} // namespace cli
