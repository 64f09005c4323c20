#include "SBCharSetProber.h"

namespace TextEncodingDetector {

CSingleByteCharSetProber::CSingleByteCharSetProber(const SequenceModel& model) : m_pModel(&model)
{
}

ProbingState::Type CSingleByteCharSetProber::HandleData(const std::string& buffer)
{
    const unsigned char* orders = m_pModel->charToOrderMap;
    const unsigned char* matrix = m_pModel->precedenceMatrix;
    for (const char c : buffer) {
        const unsigned char order = orders[static_cast<unsigned char>(c)];
        if (order < s_symbolCatOrder)
            ++m_totalChar;
        if (order < s_sampleSize) {
            ++m_freqChar;
            if (m_lastOrder < s_sampleSize) {
                ++m_totalSeqs;
                const unsigned cell = m_reversed ? order * s_sampleSize + m_lastOrder
                                                 : m_lastOrder * s_sampleSize + order;
                ++m_seqCounters[matrix[cell]];
            }
        }
        m_lastOrder = order;
    }

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
