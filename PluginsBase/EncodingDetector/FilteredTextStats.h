// What the probers count in the text FilterWithoutEnglishLetters makes of a
// buffer, taken from the buffer without making that text.
//
// In the Russian models only bytes of 0x80 and above have the orders of the
// 64 frequent letters, ASCII letters are counted letters of no pair and the
// space is no letter. So the letter pairs of the filtered text are the pairs
// of adjacent high bytes of the buffer (the filter never separates those),
// its letters are all the high bytes plus the ASCII letters of the segments
// it keeps, and only its first and last bytes need the segments themselves.
#pragma once

#include "SequenceModel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace TextEncodingDetector {

class CFilteredTextStats {
public:
    explicit CFilteredTextStats(const std::string& buf);

    // True when the statistics stand for the filtered text in the model.
    static bool Serves(const SequenceModel& model);

    // The filtered text is empty: the buffer has no byte of 0x80 or above.
    bool Empty() const { return m_empty; }
    unsigned char First() const { return m_first; }
    unsigned char Last() const { return m_last; }
    // How often the high byte occurs, and how often current follows previous
    // (both high bytes), modulo 2^32 like the probers' counters.
    std::uint32_t High(unsigned char byte) const;
    std::uint32_t Pairs(unsigned char previous, unsigned char current) const
    {
        return m_pairs[(previous & 0x7Fu) << 7 | (current & 0x7Fu)];
    }
    // ASCII letters in the segments the filter keeps.
    std::uint32_t KeptAsciiLetters() const { return m_keptAsciiLetters; }

private:
    // Adds the ASCII letters of the segment around at, which holds a high
    // byte; returns the end of the segment.
    std::size_t CountSegmentLetters(const unsigned char* p, std::size_t size, std::size_t at);

    // Row 128 counts high bytes after a byte that is not high.
    std::vector<std::uint32_t> m_pairs;
    std::uint32_t m_keptAsciiLetters = 0;
    bool m_empty = true;
    unsigned char m_first = 0;
    unsigned char m_last = 0;
};

} // namespace TextEncodingDetector
