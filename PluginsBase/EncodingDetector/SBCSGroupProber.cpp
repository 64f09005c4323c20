#include "SBCSGroupProber.h"

#include "SequenceModel.h"

namespace TextEncodingDetector {

CSBCSGroupProber::CSBCSGroupProber(bool foldedCapitals)
{
    // The order decides ties: Windows-1251 first.
    m_probers.push_back(new CSingleByteCharSetProber(foldedCapitals ? Win1251FoldedModel : Win1251Model));
    m_probers.push_back(new CSingleByteCharSetProber(foldedCapitals ? Koi8rFoldedModel : Koi8rModel));
    m_probers.push_back(new CSingleByteCharSetProber(foldedCapitals ? Ibm866FoldedModel : Ibm866Model));
    m_isActive.assign(m_probers.size(), true);
    m_activeNum = static_cast<unsigned>(m_probers.size());
}

bool CSBCSGroupProber::ServedByStats() const
{
    for (const auto& prober : m_probers)
        if (!CFilteredTextStats::Serves(prober.Model()))
            return false;
    return true;
}

ProbingState::Type CSBCSGroupProber::HandleData(const std::string& buffer)
{
    // The Russian models let the probers take the filtered text from
    // statistics of the buffer, without a filtered copy.
    if (ServedByStats()) {
        const CFilteredTextStats stats(buffer);
        return HandleData(buffer, &stats);
    }
    return HandleData(buffer, nullptr);
}

ProbingState::Type CSBCSGroupProber::HandleData(const std::string& buffer, const CFilteredTextStats* stats)
{
    if (stats && ServedByStats()) {
        if (stats->Empty())
            return m_state;
        return Feed([&](CSingleByteCharSetProber& prober) { return prober.HandleFilteredStats(*stats); });
    }
    std::string filtered;
    FilterWithoutEnglishLetters(buffer, filtered);
    if (filtered.empty())
        return m_state;
    return Feed([&](CSingleByteCharSetProber& prober) { return prober.HandleData(filtered); });
}

template <class Handle>
ProbingState::Type CSBCSGroupProber::Feed(Handle handle)
{
    for (std::size_t i = 0; i < m_probers.size(); ++i) {
        if (!m_isActive[i])
            continue;
        const ProbingState::Type state = handle(m_probers[i]);
        if (state == ProbingState::foundIt) {
            m_bestGuess = static_cast<int>(i);
            m_state = ProbingState::foundIt;
            break;
        }
        if (state == ProbingState::notMe) {
            m_isActive[i] = false;
            if (--m_activeNum == 0) {
                m_state = ProbingState::notMe;
                break;
            }
        }
    }
    return m_state;
}

float CSBCSGroupProber::GetConfidence()
{
    switch (m_state) {
    case ProbingState::foundIt:
        return 0.99f;
    case ProbingState::notMe:
        return 0.01f;
    default:
        break;
    }
    float best = 0.0f;
    for (std::size_t i = 0; i < m_probers.size(); ++i) {
        if (!m_isActive[i])
            continue;
        const float confidence = m_probers[i].GetConfidence();
        if (confidence > best) {
            best = confidence;
            m_bestGuess = static_cast<int>(i);
        }
    }
    return best;
}

Encoding::Type CSBCSGroupProber::GetEncoding()
{
    if (m_bestGuess == -1) {
        GetConfidence();
        if (m_bestGuess == -1)
            m_bestGuess = 0;
    }
    return m_probers[static_cast<std::size_t>(m_bestGuess)].GetEncoding();
}

bool FilterWithoutEnglishLetters(const std::string& buf, std::string& newBuffer)
{
    auto isAsciiLetter = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };

    newBuffer.clear();
    std::size_t segmentStart = 0;
    bool meetHighByte = false;
    for (std::size_t i = 0; i < buf.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(buf[i]);
        if (c >= 0x80) {
            meetHighByte = true;
        } else if (!isAsciiLetter(c)) {
            // c ends a segment: keep it only when it held a high byte.
            if (meetHighByte) {
                newBuffer.append(buf, segmentStart, i - segmentStart);
                newBuffer += ' ';
                meetHighByte = false;
            }
            segmentStart = i + 1;
        }
    }
    if (meetHighByte)
        newBuffer.append(buf, segmentStart, buf.size() - segmentStart);
    return true;
}

} // namespace TextEncodingDetector
