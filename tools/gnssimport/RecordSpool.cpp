#include "RecordSpool.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include <unistd.h>

namespace cli {

namespace {

constexpr std::size_t kBlock = 1 << 20;

// Records are written in the machine's own layout: the files never outlive
// the process that wrote them.
template <typename T>
void put(std::string& out, const T& value)
{
    static_assert(std::is_trivially_copyable<T>::value, "plain values only");
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(std::string& out, const std::wstring& text)
{
    put(out, static_cast<std::uint64_t>(text.size()));
    out.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

void putOptional(std::string& out, const std::optional<double>& value)
{
    put(out, static_cast<char>(value.has_value()));
    if (value)
        put(out, *value);
}

// A record cut by the end of the bytes read so far.
struct Truncated {};

class Cursor {
public:
    Cursor(const char* data, std::size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    T get()
    {
        T value;
        if (sizeof value > m_size - m_at)
            throw Truncated();
        std::memcpy(&value, m_data + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    // The text into into, reusing its storage.
    void text(std::wstring& into)
    {
        const auto size = get<std::uint64_t>();
        if (size > (m_size - m_at) / sizeof(wchar_t))
            throw Truncated();
        into.assign(reinterpret_cast<const wchar_t*>(m_data + m_at), static_cast<std::size_t>(size));
        m_at += static_cast<std::size_t>(size) * sizeof(wchar_t);
    }
    std::optional<double> optional()
    {
        if (!get<char>())
            return std::nullopt;
        return get<double>();
    }
    bool atEnd() const { return m_at == m_size; }
    std::size_t at() const { return m_at; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// Bytes read back: grown without the zero fill of a resized string.
class ReadBuffer {
public:
    char* data() { return m_data.get(); }
    std::size_t size() const { return m_size; }
    // Room for more bytes after those held; returns where they go.
    char* append(std::size_t more)
    {
        if (more > m_capacity - m_size) {
            const std::size_t capacity = std::max(2 * m_capacity, m_size + more);
            std::unique_ptr<char[]> data(new char[capacity]);
            if (m_size)
                std::memcpy(data.get(), m_data.get(), m_size);
            m_data = std::move(data);
            m_capacity = capacity;
        }
        m_size += more;
        return m_data.get() + m_size - more;
    }
    void dropFront(std::size_t bytes)
    {
        std::memmove(m_data.get(), m_data.get() + bytes, m_size - bytes);
        m_size -= bytes;
    }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0, m_capacity = 0;
};

// Decodes whole records from data with record(cursor), which throws
// Truncated on a record cut by the end; returns the bytes used.
template <typename Record>
std::size_t decodeWhole(const char* data, std::size_t size, bool last, Record record)
{
    Cursor cursor(data, size);
    std::size_t whole = 0;
    try {
        while (!cursor.atEnd()) {
            record(cursor);
            whole = cursor.at();
        }
    } catch (const Truncated&) {
        if (last)
            throw std::runtime_error("temporary record file is damaged");
    }
    return whole;
}

} // namespace

RecordSpool::File::File()
{
    const char* tmpdir = std::getenv("TMPDIR");
    std::string failure;
    for (const std::string& dir : {std::string(tmpdir ? tmpdir : ""), std::string("/tmp")}) {
        if (dir.empty())
            continue;
        std::string path = dir + "/gnssimport-records-XXXXXX";
        m_fd = ::mkstemp(path.data());
        if (m_fd >= 0) {
            ::unlink(path.c_str());
            break;
        }
        failure = "cannot create a temporary file in " + dir + ": " + std::strerror(errno);
    }
    if (m_fd < 0)
        throw std::runtime_error(failure);
    m_buffer.reserve(kBlock + 4096);
}

RecordSpool::File::~File()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void RecordSpool::File::wrote()
{
    if (m_buffer.size() >= kBlock)
        flush();
}

void RecordSpool::File::flush()
{
    std::size_t done = 0;
    while (m_failure.empty() && done < m_buffer.size()) {
        const ssize_t n = ::pwrite(m_fd, m_buffer.data() + done, m_buffer.size() - done,
                                   static_cast<off_t>(m_written + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_failure = std::string("cannot write the temporary record file: ") + std::strerror(n < 0 ? errno : EIO);
        else
            done += static_cast<std::size_t>(n);
    }
    m_written += m_buffer.size();
    m_buffer.clear();
}

void RecordSpool::File::read(std::uint64_t begin, std::uint64_t end,
                             const std::function<std::size_t(const char*, std::size_t, bool)>& decode)
{
    if (!m_buffer.empty())
        flush();
    if (!m_failure.empty())
        throw std::runtime_error(m_failure);
    // Blocks of the file; a record cut by a block's end is carried over.
    ReadBuffer block;
    for (std::uint64_t at = begin; at < end;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, end - at));
        char* into = block.append(want);
        std::size_t got = 0;
        while (got < want) {
            const ssize_t n = ::pread(m_fd, into + got, want - got, static_cast<off_t>(at + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw std::runtime_error(std::string("cannot read the temporary record file: ") +
                                         std::strerror(n < 0 ? errno : EIO));
            got += static_cast<std::size_t>(n);
        }
        at += want;
        block.dropFront(decode(block.data(), block.size(), at == end));
    }
    if (block.size() > 0)
        throw std::runtime_error("temporary record file is damaged");
}

RecordSpool::RecordSpool() = default;

const std::string& RecordSpool::failure() const
{
    return m_points.failure().empty() ? m_vectors.failure() : m_points.failure();
}

void RecordSpool::point(const host::ImportedPoint& point)
{
    std::string& out = m_points.buffer();
    putText(out, point.name);
    putOptional(out, point.latitude);
    putOptional(out, point.longitude);
    putOptional(out, point.elevation);
    putOptional(out, point.ellipsoidalHeight);
    put(out, point.line);
    m_points.wrote();
}

void RecordSpool::vector(const host::ImportedVector& vector)
{
    std::string& out = m_vectors.buffer();
    putText(out, vector.origin);
    putText(out, vector.target);
    for (const auto& value : vector.values)
        putOptional(out, value);
    put(out, static_cast<char>(vector.covariance.has_value()));
    if (vector.covariance)
        put(out, *vector.covariance);
    put(out, vector.line);
    m_vectors.wrote();
}

// Each record is read into the same object, so that its text storage is reused.
void RecordSpool::readPoints(Mark begin, Mark end, const std::function<void(const host::ImportedPoint&)>& onPoint)
{
    host::ImportedPoint p;
    m_points.read(begin.points, end.points, [&](const char* data, std::size_t size, bool last) {
        return decodeWhole(data, size, last, [&](Cursor& cursor) {
            cursor.text(p.name);
            p.latitude = cursor.optional();
            p.longitude = cursor.optional();
            p.elevation = cursor.optional();
            p.ellipsoidalHeight = cursor.optional();
            p.line = cursor.get<int>();
            onPoint(p);
        });
    });
}

void RecordSpool::readVectors(Mark begin, Mark end,
                              const std::function<void(const host::ImportedVector&)>& onVector)
{
    host::ImportedVector v;
    m_vectors.read(begin.vectors, end.vectors, [&](const char* data, std::size_t size, bool last) {
        return decodeWhole(data, size, last, [&](Cursor& cursor) {
            cursor.text(v.origin);
            cursor.text(v.target);
            for (auto& value : v.values)
                value = cursor.optional();
            v.covariance.reset();
            if (cursor.get<char>())
                v.covariance = cursor.get<std::array<double, 6>>();
            v.line = cursor.get<int>();
            onVector(v);
        });
    });
}

} // namespace cli
