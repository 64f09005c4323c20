// Text in one letter case: where the first answer's reading shows both
// cases it stands; otherwise the probers read capitals as lower case.
#include "CodePages.h"
#include "EncodingDetector/SBCSGroupProber.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace TextEncodingDetector;

Encoding::Type groupAnswer(const std::string& bytes, bool foldedCapitals)
{
    CSBCSGroupProber group(foldedCapitals);
    group.HandleData(bytes);
    return group.GetEncoding();
}

// Random bytes, and random Russian words with capitals at a random share,
// in a random code page.
std::vector<std::string> randomTexts(std::size_t count)
{
    std::mt19937 random(2026);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t length = 1 + random() % 300;
        std::string text;
        if (i % 3 == 0) {
            for (std::size_t k = 0; k < length; ++k)
                text += static_cast<char>(random() % 256);
        } else {
            const double capitals[] = {0.0, 0.05, 0.5, 1.0};
            std::bernoulli_distribution capital(capitals[random() % 4]);
            std::wstring words;
            for (std::size_t k = 0; k < length; ++k) {
                const auto letter = static_cast<wchar_t>(L'а' + random() % 32);
                words += random() % 6 == 0 ? L' ' : capital(random) ? static_cast<wchar_t>(letter - 0x20) : letter;
            }
            text = test::encodeCyrillic(words, test::allCodePages()[random() % 3]);
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(CaseFolding, OnlyOneCaseReadingsAreAnsweredByTheFoldedMaps)
{
    std::size_t bothCases = 0, oneCase = 0;
    for (const std::string& text : randomTexts(3000)) {
        const Encoding::Type first = groupAnswer(text, false);
        if (test::letterCases(text, first).both()) {
            ++bothCases;
            EXPECT_EQ(DetectTextEncoding(text), first);
        } else {
            ++oneCase;
            EXPECT_EQ(DetectTextEncoding(text), groupAnswer(text, true));
        }
    }
    // Both ways are taken often enough to mean something.
    EXPECT_GT(bothCases, 500u);
    EXPECT_GT(oneCase, 500u);
}

// Read as CP866, KOI8-R capitals are lower-case letters but for "П", which
// is "Ё" there; Ё must not make that reading count as showing both cases.
TEST(CaseFolding, YoDoesNotCountAsACase)
{
    for (const wchar_t* name : {L"ПОЧТА", L"ЗАПРАВКА", L"ОПОРНАЯ ТОЧКА"}) {
        const std::string bytes = test::encodeCyrillic(name, Encoding::koi8r);
        ASSERT_EQ(groupAnswer(bytes, false), Encoding::cp866);
        EXPECT_EQ(DetectTextEncoding(bytes), Encoding::koi8r) << test::U(name);
    }
}

} // namespace
