// The probers fed from CFilteredTextStats of a buffer end exactly where they
// end fed with the filtered copy of it, call after call: same confidence to
// the bit, same state.
#include "EncodingDetector/FilteredTextStats.h"
#include "EncodingDetector/SBCSGroupProber.h"
#include "EncodingDetector/SBCharSetProber.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

using namespace TextEncodingDetector;

std::uint32_t bits(float value)
{
    std::uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

// Words of ASCII letters, high bytes or both, between delimiters of every
// kind; sometimes long enough for the probers to decide.
// highShare in tenths: how many words hold high bytes.
std::string randomText(std::mt19937& random, int highShare = 8, int maxWords = 400)
{
    static const std::string delimiters = " \r\n\t,.:;*0123456789=?[]";
    std::uniform_int_distribution<int> words(0, maxWords), letters(1, 9), kind(0, 9), byte(0, 255);
    std::string text;
    for (int w = words(random); w > 0; --w) {
        const int k = kind(random);
        for (int i = letters(random); i > 0; --i) {
            const bool high = k < highShare - 2 || (k < highShare && i % 2 == 0);
            text += high ? static_cast<char>(0x80 | byte(random)) : static_cast<char>('a' + byte(random) % 26);
        }
        for (int i = kind(random) / 4 + 1; i > 0; --i)
            text += delimiters[static_cast<std::size_t>(byte(random)) % delimiters.size()];
    }
    if (kind(random) == 0 && !text.empty())
        text.pop_back(); // sometimes a segment runs to the end
    return text;
}

void expectSameProbers(const std::vector<std::string>& buffers)
{
    const SequenceModel* models[] = {&Win1251Model, &Koi8rModel, &Ibm866Model};
    for (const SequenceModel* model : models) {
        ASSERT_TRUE(CFilteredTextStats::Serves(*model));
        CSingleByteCharSetProber viaCopy(*model), viaStats(*model);
        for (const std::string& buffer : buffers) {
            std::string filtered;
            FilterWithoutEnglishLetters(buffer, filtered);
            const CFilteredTextStats stats(buffer);
            ASSERT_EQ(stats.Empty(), filtered.empty());
            EXPECT_EQ(viaStats.HandleFilteredStats(stats), viaCopy.HandleData(filtered));
            ASSERT_EQ(bits(viaStats.GetConfidence()), bits(viaCopy.GetConfidence()))
                << testing::PrintToString(buffer);
        }
    }
}

TEST(FilteredTextStats, ProbersEndAsWithTheFilteredCopy)
{
    std::mt19937 random(1251);
    for (int run = 0; run < 300; ++run) {
        std::vector<std::string> buffers;
        for (int call = 0; call < 3; ++call)
            buffers.push_back(randomText(random));
        expectSameProbers(buffers);
    }
}

TEST(FilteredTextStats, FewHighBytesAsInExportsWithSomeRussianNames)
{
    std::mt19937 random(866);
    for (int run = 0; run < 40; ++run)
        expectSameProbers({randomText(random, 1, 3000), randomText(random, 2, 3000)});
}

TEST(FilteredTextStats, SegmentsAcrossChunkBoundaries)
{
    // A segment of ASCII letters and high bytes over the 4096-byte chunk
    // border, one running to the end, and one at the very start.
    std::string text(4093, ' ');
    text += "abc\xF2\xE5\xF1\xF2" "def gh";
    text += std::string(8192 - text.size() - 2, '1') + "xy\xE0";
    expectSameProbers({text, "Q\xF2" + std::string(5000, '\xE5') + "z", std::string(9000, 'a') + "\xF2"});
    // The one letter pair of the text is the one over the border, in a
    // chunk of many high bytes and in one of few.
    expectSameProbers({std::string(4095, ' ') + "\xF2\xE5"});
    expectSameProbers({std::string(4095, ' ') + "\xF2\xE5" + std::string(4000, ' ')});
    // A chunk ending in a high byte before one of ASCII alone, whose first
    // letters belong to the high byte's segment.
    expectSameProbers({std::string(4095, ' ') + "\xF2" + "abc" + std::string(4000, ' ')});
    expectSameProbers({std::string(4000, '\xE5') + std::string(95, ' ') + "\xF2" + "abc" + std::string(4000, ' ')});
    const CFilteredTextStats stats(std::string(4095, ' ') + "\xF2" + "abc" + std::string(4000, ' '));
    EXPECT_EQ(stats.KeptAsciiLetters(), 3u);
}

TEST(FilteredTextStats, FirstAndLastOfTheFilteredText)
{
    const CFilteredTextStats stats("12 abc Gx\xF2y, 7 \xE5 q");
    EXPECT_FALSE(stats.Empty());
    EXPECT_EQ(stats.First(), 'G');
    EXPECT_EQ(stats.Last(), ' ');
    EXPECT_EQ(stats.KeptAsciiLetters(), 3u);
    EXPECT_EQ(stats.High(0xF2), 1u);
    EXPECT_TRUE(CFilteredTextStats("only ASCII, 12.5").Empty());
    EXPECT_EQ(CFilteredTextStats("a \xF2q").Last(), 'q');
}

TEST(FilteredTextStats, TheGroupAnswersAsWithTheFilteredCopy)
{
    std::mt19937 random(866);
    for (int run = 0; run < 200; ++run) {
        const std::string text = randomText(random);
        std::string filtered;
        FilterWithoutEnglishLetters(text, filtered);
        // The group over the stats against one prober per model on the copy.
        CSBCSGroupProber group;
        group.HandleData(text);
        CSingleByteCharSetProber win(Win1251Model), koi(Koi8rModel), dos(Ibm866Model);
        for (auto* p : {&win, &koi, &dos})
            if (!filtered.empty())
                p->HandleData(filtered);
        float best = 0.0f;
        Encoding::Type expected = Encoding::win1251;
        for (auto* p : {&win, &koi, &dos}) {
            if (p->GetState() == ProbingState::foundIt) {
                expected = p->GetEncoding();
                break;
            }
            if (p->GetState() != ProbingState::notMe && p->GetConfidence() > best) {
                best = p->GetConfidence();
                expected = p->GetEncoding();
            }
        }
        EXPECT_EQ(group.GetEncoding(), expected) << testing::PrintToString(text);
    }
}

} // namespace
