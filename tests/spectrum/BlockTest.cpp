// Block boundaries, station heights, title case and malformed blocks, through
// the plug-in.
#include "SpectrumTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>

namespace {

using namespace spectrum;

const std::vector<std::wstring> kUnknownFormat = {L"Неизвестный формат файла"};

std::string data(const std::string& name) { return test::readBytes(test::sourcePath("tests/spectrum/data/" + name)); }

std::vector<std::wstring> names(const FileResult& f)
{
    std::vector<std::wstring> out;
    for (const auto& p : f.points)
        out.push_back(p.name);
    return out;
}

// A block runs from its title to the next "Spectrum® Survey".
TEST(SpectrumBlocks, FooterLinesSeparateBlocks)
{
    const FileResult f = importText(data("two-blocks-with-footers.txt"));
    EXPECT_EQ(names(f), (std::vector<std::wstring>{L"A1", L"B2", L"B2", L"C3"}));
    ASSERT_EQ(f.vectors.size(), 2u);
    EXPECT_EQ(f.vectors[1].values[0], -1110.5928);
    const FileResult merged = importText(data("two-titles-without-footer-between.txt"));
    EXPECT_EQ(names(merged), (std::vector<std::wstring>{L"A1", L"B2"}));
    EXPECT_TRUE(f.errors.empty() && merged.errors.empty());
}

TEST(SpectrumBlocks, TitlesInAnyCase)
{
    EXPECT_EQ(importText(data("lowercase-titles.txt")).vectors.size(), 1u);

    // Cyrillic titles fold case only under a locale that knows Cyrillic.
    BlockLines russian;
    russian.set(" ", "   вектор (отчет о вычислении)").set("BASE", "базовая точка (Т1)");
    russian.set("REMOTE", "Удаленная Станция (Т2)").set("VECTOR RESULTS", "результаты по вектору");
    russian.set("COVARIANCE", "ковариационная матрица");
    const std::string text = test::U(test::W(report({russian})));
    EXPECT_EQ(importText(text).errors, kUnknownFormat);
    const std::locale previous = std::locale::global(std::locale("C.UTF-8"));
    const FileResult f = importText(text);
    std::locale::global(previous);
    EXPECT_EQ(names(f), (std::vector<std::wstring>{L"Т1", L"Т2"}));
}

// The height comes from the station's own Z line only; where the pattern's
// "Hgt:" is there, its value is taken as the pattern gives it, even from the
// next line.
TEST(SpectrumBlocks, HeightOnlyFromTheStationsZLine)
{
    const FileResult missing = importText(data("base-z-line-without-hgt.txt"));
    ASSERT_EQ(missing.points.size(), 2u);
    EXPECT_FALSE(missing.points[0].height.has_value());
    EXPECT_EQ(*missing.points[1].height, 173.915);
    EXPECT_TRUE(missing.errors.empty());

    BlockLines wrapped;
    wrapped.set("Z:", "Z:   5063533.8721 m     hgt:");
    wrapped.lines.insert(wrapped.lines.begin() + static_cast<long>(wrapped.find("Z:")) + 1, "   188.125 m");
    EXPECT_EQ(*importText(report({wrapped})).points[0].height, 188.125);

    // "Hgt:" as the first word is taken only when no later line has one.
    BlockLines first;
    first.set("Z:", "Z:    Hgt: 7.5 m").set("Z:", "Z:   5062695.1184 m", first.find("REMOTE"));
    EXPECT_EQ(*importText(report({first})).points[0].height, 7.5);
    first.set("Z:", "Z:   5062695.1184 m     Hgt:    173.915 m", first.find("REMOTE"));
    EXPECT_FALSE(importText(report({first})).points[0].height.has_value());
}

TEST(SpectrumBlocks, NamesAndLabelsAsWritten)
{
    BlockLines b;
    b.set("BASE", "BASE STATION ( A 1 )").set("X:", "&Y:  2203146.9274 m").set("Y:", "x   2849306.4137 m");
    const FileResult f = importText(report({b}));
    ASSERT_EQ(f.points.size(), 2u);
    EXPECT_EQ(f.points[0].name, L" A 1 ");
    // The first coordinate is X whatever its label says.
    EXPECT_NEAR(*f.points[0].longitude, std::atan2(2849306.4137, 2203146.9274), 1e-12);
}

// Any missing part rejects the block before anything of it is sent.
TEST(SpectrumBlocks, MissingPartRejectsBlock)
{
    const char* const parts[] = {"BASE",   "Antenna [SP80", "X:",    "Y:", "Z:",
                                 "REMOTE", "VECTOR RESULTS", "dX:",  "dY:", "dZ:",
                                 "COVARIANCE", "dX  ",        "dY  ", "dZ  "};
    for (const char* part : parts) {
        BlockLines b;
        b.lines[b.find(part)].clear();
        const FileResult f = importText(report({b}));
        EXPECT_EQ(f.kinds, std::vector<std::string>{"Error"}) << part;
        EXPECT_EQ(f.errors, kUnknownFormat) << part;
    }
    BlockLines unnamed;
    unnamed.set("REMOTE", "REMOTE STATION B2");
    EXPECT_EQ(importText(report({unnamed})).kinds, std::vector<std::string>{"Error"});
}

} // namespace
