// The letter statistics as typed in: category counts of the pair matrix,
// the letter orders of each code page and their agreement across pages.
#include "CodePages.h"
#include "EncodingDetector/SequenceModel.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace TextEncodingDetector;

struct NamedModel {
    const char* name;
    const SequenceModel* model;
    Encoding::Type encoding;
    const SequenceModel* folded;
};

const NamedModel kModels[] = {
    {"Win1251Model", &Win1251Model, Encoding::win1251, &Win1251FoldedModel},
    {"Koi8rModel", &Koi8rModel, Encoding::koi8r, &Koi8rFoldedModel},
    {"Ibm866Model", &Ibm866Model, Encoding::cp866, &Ibm866FoldedModel},
};

TEST(DetectorTables, PairCategoryCounts)
{
    std::map<int, int> counts;
    for (unsigned char category : RussianLangModel)
        ++counts[category];
    EXPECT_EQ(counts.size(), 4u);
    EXPECT_EQ(counts[0], 2202);
    EXPECT_EQ(counts[1], 870);
    EXPECT_EQ(counts[2], 512);
    EXPECT_EQ(counts[3], 512);
    // Spot checks at the corners of the typed rows.
    EXPECT_EQ(RussianLangModel[0 * 64 + 1], 3);
    EXPECT_EQ(RussianLangModel[0 * 64 + 63], 2);
    EXPECT_EQ(RussianLangModel[63 * 64 + 1], 1);
    EXPECT_EQ(RussianLangModel[63 * 64 + 61], 1);
    EXPECT_EQ(RussianLangModel[1 * 64 + 3], 2);
}

TEST(DetectorTables, ModelsShareTheMatrixAndRatio)
{
    for (const NamedModel& m : kModels) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(m.model->precedenceMatrix, RussianLangModel.data());
        EXPECT_EQ(m.model->encoding, m.encoding);
        EXPECT_FLOAT_EQ(m.model->typicalPositiveRatio, 0.976601f);
    }
}

TEST(DetectorTables, EachFrequentOrderBelongsToExactlyOneByte)
{
    for (const NamedModel& m : kModels) {
        SCOPED_TRACE(m.name);
        std::map<int, int> uses;
        for (int b = 0; b < 256; ++b)
            ++uses[m.model->charToOrderMap[b]];
        EXPECT_EQ(uses.count(0), 0u) << "order 0 is never used";
        for (int order = 1; order < 64; ++order)
            EXPECT_EQ(uses[order], 1) << "order " << order;
    }
}

TEST(DetectorTables, AsciiHalfIsSharedAndClassified)
{
    for (int b = 0; b < 128; ++b) {
        const unsigned char order = Win1251Model.charToOrderMap[b];
        EXPECT_EQ(Koi8rModel.charToOrderMap[b], order) << b;
        EXPECT_EQ(Ibm866Model.charToOrderMap[b], order) << b;
        EXPECT_GE(order, 64) << "no ASCII byte takes part in letter pairs: " << b;
    }
    const unsigned char* map = Win1251Model.charToOrderMap;
    EXPECT_EQ(map[0x0A], 254); // LF
    EXPECT_EQ(map[0x0D], 254); // CR
    EXPECT_EQ(map[0x09], 255); // tab
    EXPECT_EQ(map[0x20], 253); // blank
    EXPECT_EQ(map[0x2C], 253); // comma
    for (int digit = 0x30; digit <= 0x39; ++digit)
        EXPECT_EQ(map[digit], 252);
    EXPECT_EQ(map[0x41], 142); // A
    EXPECT_EQ(map[0x65], 65);  // e
    EXPECT_EQ(map[0x7A], 185); // z
}

// A letter has one frequency whatever its code page, so the three maps must
// agree for every letter: this catches a mistyped upper half.
TEST(DetectorTables, LettersHaveTheSameOrderInEveryCodePage)
{
    std::wstring alphabet;
    for (wchar_t c = L'А'; c <= L'я'; ++c)
        alphabet += c;
    const std::string win = test::encodeCyrillic(alphabet, Encoding::win1251);
    const std::string koi = test::encodeCyrillic(alphabet, Encoding::koi8r);
    const std::string dos = test::encodeCyrillic(alphabet, Encoding::cp866);
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        const int order = Win1251Model.charToOrderMap[static_cast<unsigned char>(win[i])];
        EXPECT_EQ(Koi8rModel.charToOrderMap[static_cast<unsigned char>(koi[i])], order) << i;
        EXPECT_EQ(Ibm866Model.charToOrderMap[static_cast<unsigned char>(dos[i])], order) << i;
    }
    // "о" is the most frequent letter; "ё" shares its rank across pages too.
    EXPECT_EQ(Win1251Model.charToOrderMap[0xEE], 1);
    EXPECT_EQ(Win1251Model.charToOrderMap[0xB8], 68);
    EXPECT_EQ(Koi8rModel.charToOrderMap[0xA3], 68);
    EXPECT_EQ(Ibm866Model.charToOrderMap[0xF1], 68);
}

// The folded maps give each of the 33 capitals the order of its lower-case
// letter and leave every other byte as it was.
TEST(DetectorTables, FoldedMapsReadCapitalsAsLowerCase)
{
    for (const NamedModel& m : kModels) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(m.folded->precedenceMatrix, m.model->precedenceMatrix);
        EXPECT_EQ(m.folded->encoding, m.encoding);
        EXPECT_EQ(m.folded->typicalPositiveRatio, m.model->typicalPositiveRatio);
        std::wstring capitals = L"Ё", lower = L"ё";
        for (wchar_t c = L'А'; c <= L'Я'; ++c) {
            capitals += c;
            lower += static_cast<wchar_t>(c + 0x20);
        }
        const std::string upperBytes = test::encodeCyrillic(capitals, m.encoding);
        const std::string lowerBytes = test::encodeCyrillic(lower, m.encoding);
        std::map<int, int> expected;
        for (int b = 0; b < 256; ++b)
            expected[b] = m.model->charToOrderMap[b];
        for (std::size_t i = 0; i < upperBytes.size(); ++i)
            expected[static_cast<unsigned char>(upperBytes[i])] =
                m.model->charToOrderMap[static_cast<unsigned char>(lowerBytes[i])];
        for (int b = 0; b < 256; ++b)
            EXPECT_EQ(m.folded->charToOrderMap[b], expected[b]) << "byte " << b;
    }
}

} // namespace
