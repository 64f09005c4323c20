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
    // The same, with stats taken from buffer when the models let the probers
    // count from them (CFilteredTextStats::Serves); null stats are never used.
    ProbingState::Type HandleData(const std::string& buffer, const CFilteredTextStats* stats);
    // True when stats of the buffer can stand for the filtered text.
    bool ServedByStats() const;
    ProbingState::Type GetState() const override { return m_state; }
    // Also settles the best guess; ties go to the earlier prober.
    float GetConfidence() override;

private:
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
