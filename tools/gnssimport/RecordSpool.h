// Points and vectors kept in temporary files instead of memory, so that a
// large import takes little more memory than the plug-in needs to read it.
// Each kind has a file of its own, so that a writer going through one kind
// never reads the other. The files are removed as soon as they are created;
// records are read back in the order they came.
#pragma once

#include <gnssimport/host/ImportModel.h>

#include <cstdint>
#include <functional>
#include <string>

namespace cli {

class RecordSpool : public host::RecordSink {
public:
    // Where the records of each kind stand.
    struct Mark {
        std::uint64_t points = 0, vectors = 0;
    };

    // In TMPDIR, else /tmp; throws std::runtime_error when neither takes one.
    RecordSpool();
    RecordSpool(const RecordSpool&) = delete;
    RecordSpool& operator=(const RecordSpool&) = delete;

    // Appended; a write that fails is remembered (see failure()) rather than
    // thrown, as these are called from inside a plug-in's import.
    void point(const host::ImportedPoint& point) override;
    void vector(const host::ImportedVector& vector) override;

    // Where the next records will start.
    Mark end() const { return {m_points.end(), m_vectors.end()}; }
    // Why a write failed, or empty.
    const std::string& failure() const;

    // The records from begin up to end, in order. Throw std::runtime_error
    // when the file cannot be read back.
    void readPoints(Mark begin, Mark end, const std::function<void(const host::ImportedPoint&)>& onPoint);
    void readVectors(Mark begin, Mark end, const std::function<void(const host::ImportedVector&)>& onVector);

private:
    // One temporary file written in blocks and read back in blocks.
    class File {
    public:
        File();
        ~File();
        File(const File&) = delete;
        File& operator=(const File&) = delete;

        std::string& buffer() { return m_buffer; }
        void wrote(); // flushes a full buffer
        std::uint64_t end() const { return m_written + m_buffer.size(); }
        const std::string& failure() const { return m_failure; }
        // Hands the bytes from begin to end to decode block by block; decode
        // returns how many of them it used, whole records only.
        void read(std::uint64_t begin, std::uint64_t end,
                  const std::function<std::size_t(const char* data, std::size_t size, bool last)>& decode);

    private:
        void flush();

        int m_fd = -1;
        std::string m_buffer;        // not yet written
        std::uint64_t m_written = 0; // bytes in the file
        std::string m_failure;
    };

    File m_points, m_vectors;
};

} // namespace cli
