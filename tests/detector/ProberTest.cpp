// The filter, one code-page prober and the group on small hand-made inputs
// whose counts can be followed by hand.
#include "EncodingDetector/RussianUtf8.h"
#include "EncodingDetector/SBCSGroupProber.h"
#include "EncodingDetector/SBCharSetProber.h"

#include <gtest/gtest.h>

namespace {

using namespace TextEncodingDetector;

// "тест" in each code page.
const std::string kTestWin = "\xF2\xE5\xF1\xF2";
const std::string kTestKoi = "\xD4\xC5\xD3\xD4";
const std::string kTestDos = "\xE2\xA5\xE1\xE2";

std::string repeat(const std::string& s, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

struct FilterCase {
    const char* what;
    std::string input;
    std::string expected;
};

TEST(FilterWithoutEnglishLetters, KeepsOnlyWordsWithHighBytes)
{
    const FilterCase cases[] = {
        {"empty", "", ""},
        {"ASCII only", "GPS base, 12.5 m\r\n", ""},
        {"last word keeps no space", kTestWin, kTestWin},
        {"ASCII words dropped", "abc " + kTestWin + " def", kTestWin + " "},
        {"ASCII letters glued to a high byte stay", "GPS" + kTestWin + ", x", "GPS" + kTestWin + " "},
        {"digits and punctuation cut words", "1\xF2" "2.\xE5", "\xF2 \xE5"},
        {"empty segments vanish", "\xF2\n\n\n\xE5\n", "\xF2 \xE5 "},
        {"high bytes alone", "\x80\xFF", "\x80\xFF"},
    };
    for (const FilterCase& c : cases) {
        std::string out = "stale";
        EXPECT_TRUE(FilterWithoutEnglishLetters(c.input, out));
        EXPECT_EQ(out, c.expected) << c.what;
    }
}

TEST(SingleByteProber, ConfidenceOfOneWordInEachModel)
{
    CSingleByteCharSetProber win(Win1251Model), koi(Koi8rModel), dos(Ibm866Model);
    for (auto* p : {&win, &koi, &dos})
        EXPECT_EQ(p->HandleData(kTestWin), ProbingState::detecting);
    // Three frequent pairs out of three: 1/0.976601 = 1.024, reported as 0.99.
    EXPECT_FLOAT_EQ(win.GetConfidence(), 0.99f);
    // Three pairs, none frequent.
    EXPECT_FLOAT_EQ(koi.GetConfidence(), 0.0f);
    // No letter pair at all.
    EXPECT_FLOAT_EQ(dos.GetConfidence(), 0.01f);
    EXPECT_EQ(win.GetEncoding(), Encoding::win1251);
    EXPECT_EQ(koi.GetEncoding(), Encoding::koi8r);
    EXPECT_EQ(dos.GetEncoding(), Encoding::cp866);
}

TEST(SingleByteProber, LatinLettersWeighTheConfidenceDown)
{
    CSingleByteCharSetProber win(Win1251Model);
    win.HandleData("GPS" + kTestWin);
    // 3 frequent pairs of 3, 4 frequent letters of 7 characters.
    EXPECT_FLOAT_EQ(win.GetConfidence(), 1.0f / 0.976601f * 4.0f / 7.0f);
}

TEST(SingleByteProber, DecidesOnlyAfterEnoughPairsAndKeepsCountingAcrossCalls)
{
    // Each word gives three pairs; the space between words breaks the chain.
    const std::string words341 = repeat(kTestWin + " ", 341); // 1023 pairs
    CSingleByteCharSetProber win(Win1251Model), koi(Koi8rModel);
    EXPECT_EQ(win.HandleData(words341), ProbingState::detecting);
    EXPECT_EQ(koi.HandleData(words341), ProbingState::detecting);
    EXPECT_EQ(win.HandleData(kTestWin), ProbingState::foundIt);
    EXPECT_EQ(koi.HandleData(kTestWin), ProbingState::notMe);
    // A decided state stays.
    EXPECT_EQ(win.HandleData(repeat(kTestKoi + " ", 2000)), ProbingState::foundIt);
    EXPECT_EQ(win.GetState(), ProbingState::foundIt);
}

struct GroupCase {
    const char* what;
    std::string input;
    Encoding::Type expected;
};

TEST(GroupProber, AnswersPerInput)
{
    const GroupCase cases[] = {
        {"empty buffer", "", Encoding::win1251},
        {"plain ASCII", "P,K1,55 45 12,37 36 56,150.5\r\n", Encoding::win1251},
        {"one isolated high byte: all tie at 0.01", "x \xF2 y", Encoding::win1251},
        {"word in Windows-1251", kTestWin, Encoding::win1251},
        {"word in KOI8-R", kTestKoi, Encoding::koi8r},
        {"word in CP866", kTestDos, Encoding::cp866},
        {"word in KOI8-R among ASCII", "VPP," + kTestKoi + ",B,1,2,3", Encoding::koi8r},
        {"word in CP866 among ASCII", "P," + kTestDos + "1,55", Encoding::cp866},
    };
    for (const GroupCase& c : cases)
        EXPECT_EQ(DetectTextEncoding(c.input), c.expected) << c.what;
}

TEST(GroupProber, EmptyFilteredInputLeavesEveryProberUntouched)
{
    CSBCSGroupProber group;
    EXPECT_EQ(group.HandleData("only ASCII here"), ProbingState::detecting);
    // Every prober saw nothing and says 0.01; the first one wins the tie.
    EXPECT_FLOAT_EQ(group.GetConfidence(), 0.01f);
    EXPECT_EQ(group.GetEncoding(), Encoding::win1251);
}

TEST(GroupProber, FoundItStopsAtTheFirstConfidentProber)
{
    CSBCSGroupProber group;
    EXPECT_EQ(group.HandleData(repeat(kTestKoi + " ", 400)), ProbingState::foundIt);
    EXPECT_EQ(group.GetState(), ProbingState::foundIt);
    EXPECT_FLOAT_EQ(group.GetConfidence(), 0.99f);
    EXPECT_EQ(group.GetEncoding(), Encoding::koi8r);
}

// "ао" repeated has no frequent pair in any code page: every prober drops
// out and the answer falls back to Windows-1251.
TEST(GroupProber, AllProbersDroppingOutGivesWin1251)
{
    CSBCSGroupProber group;
    EXPECT_EQ(group.HandleData(repeat("\xE0\xEE", 600)), ProbingState::notMe);
    EXPECT_FLOAT_EQ(group.GetConfidence(), 0.01f);
    EXPECT_EQ(group.GetEncoding(), Encoding::win1251);
}

} // namespace

TEST(RussianUtf8, NeedsValidUtf8AndARussianLetter)
{
    const struct {
        const char* what;
        std::string input;
        bool expected;
    } cases[] = {
        {"Russian words", "P,\xD0\x91\xD0\xB5\xD1\x80\xD1\x91\xD0\xB7\xD0\xB0,1", true},
        {"Ё and ё alone", "\xD0\x81 \xD1\x91", true},
        {"letter after a long ASCII run", std::string(70, 'a') + "\xD1\x8F", true},
        {"plain ASCII", "P,K1,55 45 12", false},
        {"empty", "", false},
        {"UTF-8 without Russian letters", "caf\xC3\xA9 \xE2\x84\x96", false},
        {"Ҩ: ТЁ in CP1251", "\xD2\xA8", false},
        {"word in Windows-1251", kTestWin, false},
        {"word in KOI8-R", kTestKoi, false},
        {"word in CP866", kTestDos, false},
        {"overlong", "\xD0\x91\xC0\x80", false},
        {"overlong three bytes", "\xD0\x91\xE0\x80\x80", false},
        {"surrogate", "\xD0\x91\xED\xA0\x80", false},
        {"above U+10FFFF", "\xD0\x91\xF4\x90\x80\x80", false},
        {"cut off at the end", "\xD0\x91\xE2\x84", false},
        {"lone continuation byte", "\xD0\x91\x80", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextEncodingDetector::IsRussianUtf8(c.input), c.expected) << c.what;
}
