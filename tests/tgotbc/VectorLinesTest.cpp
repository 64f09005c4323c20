// Vector lines of the "[GPS]" section: field positions, variances and the
// factor.
#include "TgoTestSupport.h"

#include <cmath>

namespace {

using tgo::importText;
using tgo::onlyFile;

const std::string kGps = tgo::kCommaGeneral + "[GPS]\n"; // data starts on line 3

// Field i holds i + 0.25, so every value shows which field it came from.
std::string numberedVector(int fieldCount)
{
    std::string line = "Vector=";
    for (int i = 0; i < fieldCount; ++i) {
        if (i > 0)
            line += ",";
        line += i == 2 ? "BASE" : i == 3 ? "ROVER" : std::to_string(i) + ".25";
    }
    return line + "\n";
}

TEST(TgoVectorLine, ValuesComeFromTheirFieldsInOrder)
{
    const auto target = importText(kGps + numberedVector(18));
    const auto& file = onlyFile(target);
    ASSERT_EQ(file.vectors.size(), 1u);
    const auto& v = file.vectors[0];
    EXPECT_EQ(v.origin, L"BASE");
    EXPECT_EQ(v.target, L"ROVER");
    EXPECT_EQ(*v.dx(), 4.25);
    EXPECT_EQ(*v.dy(), 5.25);
    EXPECT_EQ(*v.dz(), 6.25);
    EXPECT_EQ(*v.sigmaX(), std::sqrt(7.25));
    EXPECT_EQ(*v.sigmaY(), std::sqrt(10.25));
    EXPECT_EQ(*v.sigmaZ(), 3.5);
    EXPECT_EQ(*v.rms(), 17.25);
    EXPECT_EQ(*v.factor(), 17.25 / std::sqrt(7.25 + 10.25 + 12.25));
    // The host flags values out of order or without an open vector.
    EXPECT_TRUE(file.messages.empty());
    EXPECT_TRUE(file.points.empty());
}

struct VectorCase {
    const char* name;
    std::string line;
    bool accepted;
};

std::ostream& operator<<(std::ostream& out, const VectorCase& c) { return out << c.name; }

// The standard line with fields 7, 10 and 12 replaced.
std::string withVariances(const char* x, const char* y, const char* z)
{
    return std::string("Vector=1,,A,B,1.5,2.5,3.5,") + x + ",0,0," + y + ",0," + z + ",0,0,0,0,0.05\n";
}

class TgoVectorCheck : public ::testing::TestWithParam<VectorCase> {};

TEST_P(TgoVectorCheck, RejectsOnlyMalformedLines)
{
    const VectorCase& c = GetParam();
    const auto& file = onlyFile(importText(kGps + c.line));
    if (c.accepted) {
        EXPECT_EQ(file.vectors.size(), 1u);
        EXPECT_TRUE(file.messages.empty());
    } else {
        EXPECT_TRUE(file.vectors.empty());
        EXPECT_EQ(tgo::messages(file),
                  (std::vector<std::wstring>{tgo::kBadLine + L"@3", tgo::kUnknownFormat + L"@-1"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TgoVectorCheck,
    ::testing::Values(VectorCase{"Fields18", numberedVector(18), true},
                      VectorCase{"Fields17", numberedVector(17), false},
                      VectorCase{"Fields30", numberedVector(30), true},
                      VectorCase{"NegativeCovariances",
                                 "Vector=1,,A,B,1,2,3,0.0001,-0.00002,-0.00003,0.0004,-0.00001,0.0004,0,0,0,0,0.05\n",
                                 true},
                      VectorCase{"OneVarianceZero", withVariances("0", "0.0004", "0"), true},
                      VectorCase{"AllVariancesZero", withVariances("0", "0.0", "0.000"), false},
                      VectorCase{"VariancesUnreadable", withVariances("?", "?", "?"), false},
                      VectorCase{"NegativeX", withVariances("-0.0001", "0.0004", "0.0004"), false},
                      VectorCase{"NegativeY", withVariances("0.0001", "-0.0004", "0.0004"), false},
                      VectorCase{"NegativeZ", withVariances("0.0001", "0.0004", "-1e-9"), false},
                      VectorCase{"TwoEquals", "Vector=1,,A,B=1\n", false},
                      VectorCase{"NoEquals", "Vector\n", false}),
    [](const ::testing::TestParamInfo<VectorCase>& info) { return std::string(info.param.name); });

TEST(TgoVectorLine, UnreadableNumbersReadAsZero)
{
    const auto& file = onlyFile(importText(kGps + "Vector=1,,A,B,?,x,,0.0001,0,0,0.0004,0,0.0004,0,0,0,0,?\n"));
    ASSERT_EQ(file.vectors.size(), 1u);
    EXPECT_EQ(*file.vectors[0].dx(), 0.0);
    EXPECT_EQ(*file.vectors[0].dz(), 0.0);
    EXPECT_EQ(*file.vectors[0].rms(), 0.0);
    EXPECT_EQ(*file.vectors[0].factor(), 0.0);
}

TEST(TgoVectorLine, DecimalCommaWorksUnlessCommaSeparates)
{
    const std::string colon = "[General]\nSeparator=:\n[GPS]\n"
                              "Vector=1:?:A:B:1,5:-2,25:3.5:0,0001:0:0:0,0004:0:0,0004:0:0:0:0:0,05\n";
    const auto& file = onlyFile(importText(colon));
    ASSERT_EQ(file.vectors.size(), 1u);
    EXPECT_EQ(*file.vectors[0].dx(), 1.5);
    EXPECT_EQ(*file.vectors[0].dy(), -2.25);
    EXPECT_NEAR(*file.vectors[0].factor(), 0.05 / 0.03, 1e-12);

    // With a comma separator "1,5" is two fields, and every later one shifts.
    const auto& shifted = onlyFile(importText(kGps + "Vector=1,,A,B,1,5,2,3,0.0001,0,0,0.0004,0,0.0004,0,0,0,0.05\n"));
    ASSERT_EQ(shifted.vectors.size(), 1u);
    EXPECT_EQ(*shifted.vectors[0].dx(), 1.0);
    EXPECT_EQ(*shifted.vectors[0].dy(), 5.0);
}

// Vectors are never treated as duplicates and make no points.
TEST(TgoVectorLine, OtherKeysAreIgnoredInEachSection)
{
    const std::string text = kGps + "Station=2,,P1,55N,37E,1,2,3,4\nvector=x\nVector =1\n" +
                             tgo::vectorLine("A", "B") + tgo::vectorLine("A", "B") + "[Stations]\n" +
                             numberedVector(18) + tgo::stationLine("P1");
    const auto& file = onlyFile(importText(text));
    EXPECT_EQ(file.vectors.size(), 2u);
    EXPECT_EQ(tgo::pointNames(file), std::vector<std::wstring>{L"P1"});
    EXPECT_TRUE(file.messages.empty());
}

} // namespace
