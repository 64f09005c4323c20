// Runs the Windows-1251, KOI8-R and CP866 probers side by side and answers
// the code page of the most confident one.
#pragma once

#include "CharSetProber.h"
#include "SBCharSetProber.h"

#include <boost/ptr_container/ptr_vector.hpp>

#include <string>
#include <vector>

namespace TextEncodingDetector {

class CSBCSGroupProber : public ICharSetProber {
public:
    // With foldedCapitals, the probers read Russian capitals as their lower
    // case letters (the folded models), for text written in one case only.
    explicit CSBCSGroupProber(bool foldedCapitals = false);
    CSBCSGroupProber(const CSBCSGroupProber&) = delete;
    CSBCSGroupProber& operator=(const CSBCSGroupProber&) = delete;

    // The best guess; win1251 when nothing could be decided.
    Encoding::Type GetEncoding() override;
    ProbingState::Type HandleData(const std::string& buffer) override;
    // The same, given the statistics of buffer (or null): they stand in for
    // the filtered text where the models allow (CFilteredTextStats::Serves),
    // else buffer is filtered.
    ProbingState::Type HandleData(const std::string& buffer, const CFilteredTextStats* stats);
    ProbingState::Type GetState() const override { return m_state; }
    // Also settles the best guess; ties go to the earlier prober.
    float GetConfidence() override;

private:
    // True when statistics of a buffer can stand for its filtered text.
    bool ServedByStats() const;
    // Hands the text to each active prober through handle, in order, until
    // one finds its code page or all have dropped out.
    template <class Handle>
    ProbingState::Type Feed(Handle handle);

    ProbingState::Type m_state = ProbingState::detecting;
    boost::ptr_vector<CSingleByteCharSetProber> m_probers;
    std::vector<bool> m_isActive;
    int m_bestGuess = -1;
    unsigned m_activeNum = 0;
};

// Keeps the words that hold a byte of 0x80 or above (ASCII letters in them
// included), each followed by a space except the last one of the buffer;
// drops ASCII-only words and every other ASCII byte. Always returns true.
bool FilterWithoutEnglishLetters(const std::string& buf, std::string& newBuffer);

} // namespace TextEncodingDetector
