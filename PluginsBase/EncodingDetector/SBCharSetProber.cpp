#include "SBCharSetProber.h"

namespace TextEncodingDetector {

CSingleByteCharSetProber::CSingleByteCharSetProber(const SequenceModel& model) : m_pModel(&model)
{
}

ProbingState::Type CSingleByteCharSetProber::HandleData(const std::string& buffer)
{
    const unsigned char* orders = m_pModel->charToOrderMap;
    for (const char c : buffer) {
        const unsigned char order = orders[static_cast<unsigned char>(c)];
        if (order < s_symbolCatOrder)
            ++m_totalChar;
        if (order < s_sampleSize) {
            ++m_freqChar;
            if (m_lastOrder < s_sampleSize)
                CountPair(m_lastOrder, order, 1);
        }
        m_lastOrder = order;
    }
    return Decide();
}

void CSingleByteCharSetProber::CountPair(unsigned char lastOrder, unsigned char order, std::uint32_t n)
{
    const unsigned cell = m_reversed ? order * s_sampleSize + lastOrder : lastOrder * s_sampleSize + order;
    m_totalSeqs += n;
    m_seqCounters[m_pModel->precedenceMatrix[cell]] += n;
}

ProbingState::Type CSingleByteCharSetProber::HandleFilteredStats(const CFilteredTextStats& stats)
{
    if (!stats.Empty()) {
        // Only high bytes have orders of frequent letters, so the pairs of
        // frequent letters are among those of adjacent high bytes, and the
        // first byte pairs with the last one of the previous call. Sums wrap
        // as counting one by one would.
        const unsigned char* orders = m_pModel->charToOrderMap;
        const unsigned char firstOrder = orders[stats.First()];
        if (m_lastOrder < s_sampleSize && firstOrder < s_sampleSize)
            CountPair(m_lastOrder, firstOrder, 1);
        m_totalChar += stats.KeptAsciiLetters();
        for (unsigned previous = 0x80; previous < 0x100; ++previous) {
            const unsigned char previousOrder = orders[previous];
            const std::uint32_t n = stats.High(static_cast<unsigned char>(previous));
            if (previousOrder < s_symbolCatOrder)
                m_totalChar += n;
            if (previousOrder >= s_sampleSize)
                continue;
            m_freqChar += n;
            for (unsigned current = 0x80; current < 0x100; ++current) {
                const unsigned char order = orders[current];
                const std::uint32_t pairs =
                    stats.Pairs(static_cast<unsigned char>(previous), static_cast<unsigned char>(current));
                if (order < s_sampleSize && pairs != 0)
                    CountPair(previousOrder, order, pairs);
            }
        }
        m_lastOrder = orders[stats.Last()];
    }
    return Decide();
}

ProbingState::Type CSingleByteCharSetProber::Decide()
{
    if (m_state == ProbingState::detecting && m_totalSeqs > s_sbEnoughRelThreshold) {
        const float confidence = GetConfidence();
        if (confidence > s_positiveShortcutThreshold)
            m_state = ProbingState::foundIt;
        else if (confidence < s_negativeShortcutThreshold)
            m_state = ProbingState::notMe;
    }
    return m_state;
}

float CSingleByteCharSetProber::GetConfidence()
{
    // Pairs imply letters, so m_totalChar is 0 only if the counts wrapped.
    if (m_totalSeqs == 0 || m_totalChar == 0)
        return 0.01f;
    float r = static_cast<float>(m_seqCounters[s_positiveCat]) / static_cast<float>(m_totalSeqs) /
              m_pModel->typicalPositiveRatio;
    r = r * static_cast<float>(m_freqChar) / static_cast<float>(m_totalChar);
    if (r >= 1.0f)
        return 0.99f;
    return r;
}

} // namespace TextEncodingDetector
