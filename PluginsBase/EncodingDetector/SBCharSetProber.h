// Scores a buffer against one code page: the share of frequent Russian
// letter pairs among all letter pairs, weighted by the share of letters.
#pragma once

#include "CharSetProber.h"
#include "FilteredTextStats.h"
#include "SequenceModel.h"

#include <cstdint>

namespace TextEncodingDetector {

class CSingleByteCharSetProber : public ICharSetProber {
public:
    explicit CSingleByteCharSetProber(const SequenceModel& model);

    Encoding::Type GetEncoding() override { return m_pModel->encoding; }
    // Counts on across calls; decides foundIt/notMe once enough pairs are seen.
    ProbingState::Type HandleData(const std::string& buffer) override;
    // The same as HandleData with the filtered text of the statistics, for a
    // model they serve (CFilteredTextStats::Serves).
    ProbingState::Type HandleFilteredStats(const CFilteredTextStats& stats);
    const SequenceModel& Model() const { return *m_pModel; }
    ProbingState::Type GetState() const override { return m_state; }
    float GetConfidence() override;

    static constexpr unsigned s_numberOfSeqCat = 4;
    static constexpr unsigned s_positiveCat = 3;
    static constexpr unsigned char s_symbolCatOrder = 250;
    static constexpr unsigned char s_sampleSize = 64;
    static constexpr std::uint32_t s_sbEnoughRelThreshold = 1024;
    static constexpr float s_positiveShortcutThreshold = 0.95f;
    static constexpr float s_negativeShortcutThreshold = 0.05f;

private:
    void CountPair(unsigned char lastOrder, unsigned char order, std::uint32_t n);
    ProbingState::Type Decide();

    ProbingState::Type m_state = ProbingState::detecting;
    const SequenceModel* m_pModel;
    bool m_reversed = false; // look pairs up as current * 64 + previous
    unsigned char m_lastOrder = 255;
    std::uint32_t m_totalSeqs = 0;
    std::uint32_t m_seqCounters[s_numberOfSeqCat] = {};
    std::uint32_t m_totalChar = 0; // bytes with an order below s_symbolCatOrder
    std::uint32_t m_freqChar = 0;  // bytes with an order below s_sampleSize
};

} // namespace TextEncodingDetector
