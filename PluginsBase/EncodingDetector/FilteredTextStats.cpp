#include "FilteredTextStats.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TextEncodingDetector {

namespace {

bool isAsciiLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDelimiter(unsigned c) { return c < 0x80 && !isAsciiLetter(c); }

// Bytes that are not high are counted in one of these cells in turn, so
// that counting needs no branch and no two neighbouring bytes wait for the
// same cell.
const std::size_t s_discard = 129 * 128;
const std::size_t s_discardCells = 64;
const std::size_t s_chunk = 4096;

// The functions below are written so that their loops vectorise.

// 1 for an ASCII letter, else 0.
std::uint8_t isLetterByte(std::uint8_t c)
{
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>((c | 0x20) - 'a') < 26);
}

// The cell in which byte, after previous, is counted: the pair when byte is
// high, the discard cell of position i else.
std::uint16_t Cell(unsigned previous, unsigned byte, std::size_t i)
{
    static_assert((s_discardCells & (s_discardCells - 1)) == 0, "a power of two");
    const unsigned row = previous >= 0x80 ? (previous & 0x7Fu) : 128u;
    const auto pair = static_cast<std::uint16_t>(row << 7 | (byte & 0x7Fu));
    const auto discard = static_cast<std::uint16_t>(s_discard + (i & (s_discardCells - 1)));
    return byte >= 0x80 ? pair : discard;
}

// 1 when an ASCII letter and a high byte stand side by side.
std::uint8_t Mixed(std::uint8_t previous, std::uint8_t byte)
{
    return static_cast<std::uint8_t>((isLetterByte(previous) & (byte >> 7)) | ((previous >> 7) & isLetterByte(byte)));
}

} // namespace

std::uint32_t CFilteredTextStats::High(unsigned char byte) const
{
    std::uint32_t n = 0;
    for (std::size_t previous = 0; previous <= 128; ++previous)
        n += m_pairs[previous << 7 | (byte & 0x7Fu)];
    return n;
}

std::size_t CFilteredTextStats::CountSegmentLetters(const unsigned char* p, std::size_t size, std::size_t at)
{
    std::size_t start = at;
    while (start > 0 && !isDelimiter(p[start - 1]))
        --start;
    std::size_t end = at;
    while (end < size && !isDelimiter(p[end]))
        ++end;
    for (std::size_t i = start; i < end; ++i)
        m_keptAsciiLetters += isLetterByte(p[i]);
    return end;
}

bool CFilteredTextStats::Serves(const SequenceModel& model)
{
    for (unsigned c = 0; c < 0x80; ++c) {
        const unsigned order = model.charToOrderMap[c];
        if (isAsciiLetter(c) ? (order < 64 || order >= 250) : (c == ' ' && order < 250))
            return false;
    }
    return true;
}

CFilteredTextStats::CFilteredTextStats(const std::string& buf) : m_pairs(s_discard + s_discardCells, 0)
{
    // In chunks, each in simple passes that the compiler vectorises: the
    // cell each byte is counted in, the counting, and a look for an ASCII
    // letter next to a high byte, which only a segment of both can hold;
    // where high bytes are few, a look at those and their neighbours alone.
    const auto* p = reinterpret_cast<const unsigned char*>(buf.data());
    const std::size_t size = buf.size();
    std::uint32_t* pairs = m_pairs.data();
    std::vector<std::uint16_t> chunkCells(s_chunk);
    std::uint16_t* cells = chunkCells.data();
    unsigned before = 0; // the byte before the chunk; none, a byte below 0x80, at the start
    std::size_t countedUpTo = 0;
    std::size_t firstHighChunk = size, lastHighChunk = size; // chunks holding high bytes
    for (std::size_t chunk = 0; chunk < size; chunk += s_chunk) {
        const unsigned char* q = p + chunk;
        const std::size_t n = std::min(s_chunk, size - chunk);
        std::uint16_t highs = 0; // a chunk's count fits, and narrow lanes vectorise best
        for (std::size_t i = 0; i < n; ++i)
            highs = static_cast<std::uint16_t>(highs + (q[i] >> 7));
        if (highs == 0) {
            // Nothing to count here; only the first byte, a letter after a
            // high byte that ends the chunk before, can belong to a segment.
            if (chunk > 0 && before >= 0x80 && isLetterByte(q[0]) && chunk >= countedUpTo)
                countedUpTo = CountSegmentLetters(p, size, chunk);
            before = q[n - 1];
            continue;
        }
        if (firstHighChunk == size)
            firstHighChunk = chunk;
        lastHighChunk = chunk;
        if (highs * std::size_t{4} < n) {
            // Few high bytes, as in an export with some Russian names: only
            // they are counted, and only their neighbours can be letters of
            // a segment of both kinds.
            const auto visit = [&](std::size_t k) {
                ++pairs[Cell(k ? q[k - 1] : before, q[k], k)];
                const std::size_t at = chunk + k;
                if (at > 0 && isLetterByte(p[at - 1]) && at >= countedUpTo)
                    countedUpTo = CountSegmentLetters(p, size, at);
                if (at + 1 < size && isLetterByte(p[at + 1]) && at + 1 >= countedUpTo)
                    countedUpTo = CountSegmentLetters(p, size, at + 1);
            };
            std::size_t i = 0;
#if defined(__SSE2__)
            // Sixteen bytes at a time: one bit for each high byte, lowest
            // address first.
            for (; i + 16 <= n; i += 16) {
                auto mask = static_cast<unsigned>(
                    _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + i))));
                for (; mask != 0; mask &= mask - 1)
                    visit(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            }
#endif
            for (; i < n; ++i)
                if (q[i] >= 0x80)
                    visit(i);
            before = q[n - 1];
            continue;
        }
        // The first byte of the chunk pairs with the one before it; the
        // loops start after it, so that they hold no condition on the
        // position.
        cells[0] = Cell(before, q[0], 0);
        for (std::size_t i = 1; i < n; ++i)
            cells[i] = Cell(q[i - 1], q[i], i);
        for (std::size_t i = 0; i < n; ++i)
            ++pairs[cells[i]];
        std::uint8_t mixed = Mixed(static_cast<std::uint8_t>(before), q[0]);
        for (std::size_t i = 1; i < n; ++i)
            mixed |= Mixed(q[i - 1], q[i]);
        if (mixed) {
            for (std::size_t i = chunk == 0 ? 1 : 0; i < n; ++i) {
                const std::size_t at = chunk + i;
                if (Mixed(p[at - 1], p[at]) && at >= countedUpTo)
                    countedUpTo = CountSegmentLetters(p, size, at);
            }
        }
        before = q[n - 1];
    }

    // The first kept segment starts the text; the last one ends it, with a
    // space when a delimiter follows it.
    if (firstHighChunk == size)
        return;
    m_empty = false;
    std::size_t firstHigh = firstHighChunk;
    while (p[firstHigh] < 0x80)
        ++firstHigh;
    std::size_t start = firstHigh;
    while (start > 0 && !isDelimiter(p[start - 1]))
        --start;
    m_first = p[start];
    std::size_t lastHigh = std::min(size, lastHighChunk + s_chunk) - 1;
    while (p[lastHigh] < 0x80)
        --lastHigh;
    std::size_t end = lastHigh;
    while (end < size && !isDelimiter(p[end]))
        ++end;
    m_last = end < size ? ' ' : p[size - 1];
}

} // namespace TextEncodingDetector
