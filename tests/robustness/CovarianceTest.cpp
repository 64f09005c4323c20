// The full covariance of a vector, read from a hand-written file of each
// format that carries one, reaches a target that offers the interface.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Six = std::array<double, 6>;

struct CovarianceCase {
    const char* name;
    const char* plugin;
    const char* fileName;
    std::string text;
    std::optional<Six> expected; // xx, xy, xz, yy, yz, zz
};

const std::string s_spectrumBlock = "VECTOR SUMMARY\n"
                                    "BASE STATION (B1)\nAntenna [x]\n"
                                    "X:  3955765.5 m\nY:  -86847.9 m\nZ:  4985870.9 m\n"
                                    "REMOTE STATION (R1)\nAntenna [x]\n"
                                    "X:  3954351.5 m\nY:  -84320.5 m\nZ:  4987008.0 m\n"
                                    "VECTOR RESULTS\ndX: -1414.0 m S\ndY: 2527.4 m S\ndZ: 1137.2 m S\n"
                                    "COVARIANCE MATRIX (m^2)\n"
                                    "            dX              dY              dZ\n"
                                    "dX    4e-06\n"
                                    "dY    -1e-06    9e-06\n"
                                    "dZ    2e-07    3e-07    1.6e-05\n";
const std::string s_tgoHead = "[General]\nSeparator=,\n[GPS]\n";
const std::string s_lgoHead = "Reference Id\tRover Id\tdX\tdY\tdZ\tQ11\tQ22\tQ33";
const Six s_six = {4e-06, -1e-06, 2e-07, 9e-06, 3e-07, 1.6e-05};

const std::vector<CovarianceCase>& cases()
{
    static const std::vector<CovarianceCase> all = {
        {"Spectrum", "spectrum", "report.txt", s_spectrumBlock, s_six},
        {"Tgo", "tgotbc", "gps.asc", s_tgoHead + "Vector=a,b,B1,R1,1,2,3,4e-06,-1e-06,2e-07,9e-06,3e-07,1.6e-05,x,x,x,x,0.01\n",
         s_six},
        {"TgoUnreadableOffDiagonalIsZero", "tgotbc", "gps.asc",
         s_tgoHead + "Vector=a,b,B1,R1,1,2,3,4e-06,abc,,9e-06,-3e-07,1.6e-05,x,x,x,x,0.01\n",
         Six{4e-06, 0, 0, 9e-06, -3e-07, 1.6e-05}},
        {"Pinnacle", "pinnacle", "vector.dat", ":::\nx*R1*B1*y*z*1*2*3\n4e-06 -1e-06 9e-06 2e-07 3e-07 1.6e-05\n", s_six},
        {"Lgo", "lgo", "lines.txt",
         s_lgoHead + "\tQ23\tQ13\tQ12\nB1\tR1\t1\t2\t3\t4e-06\t9e-06\t1.6e-05\t3e-07\t2e-07\t-1e-06\n", s_six},
        {"LgoWithoutAllThreeColumns", "lgo", "lines.txt",
         s_lgoHead + "\tQ12\tQ13\nB1\tR1\t1\t2\t3\t4e-06\t9e-06\t1.6e-05\t-1e-06\t2e-07\n", std::nullopt},
        {"LgoRowShortOfACovarianceCell", "lgo", "lines.txt",
         s_lgoHead + "\tQ12\tQ13\tQ23\nB1\tR1\t1\t2\t3\t4e-06\t9e-06\t1.6e-05\t-1e-06\n", std::nullopt},
    };
    return all;
}

class Covariance : public ::testing::TestWithParam<CovarianceCase> {};

TEST_P(Covariance, SixNumbersOfTheFile)
{
    const CovarianceCase& c = GetParam();
    test::TempDir dir;
    test::ImportRun run;
    run.options.offerCovariance = true;
    const auto target = test::importWith(c.plugin, {dir.write(c.fileName, c.text)}, run);
    ASSERT_EQ(target.files().size(), 1u);
    const host::ImportedFile& file = target.files()[0];
    EXPECT_TRUE(file.messages.empty()) << test::U(file.messages.empty() ? L"" : file.messages[0].text);
    ASSERT_EQ(file.vectors.size(), 1u);
    EXPECT_EQ(file.vectors[0].covariance, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Files, Covariance, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The reference host's checks of the call itself.
TEST(CovarianceTarget, OutOfPlaceCallsAreHostWarnings)
{
    host::RecordingTarget target;
    target.SetCurrentFile(L"f");
    target.SetCovariance(1, 0, 0, 1, 0, 1);
    target.SetText(Plugin::VectorOrigin, L"A");
    target.SetText(Plugin::VectorTarget, L"B");
    target.SetCovariance(1, 2, 3, 4, 5, 6);
    target.SetCovariance(9, 9, 9, 9, 9, 9);
    const host::ImportedFile& file = target.files()[0];
    ASSERT_EQ(file.messages.size(), 2u);
    EXPECT_EQ(file.messages[0].text, L"SetCovariance with no vector open");
    EXPECT_EQ(file.messages[1].text, L"SetCovariance twice for one vector");
    EXPECT_EQ(file.vectors[0].covariance, (Six{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(host::describe(target.events().back()), L"SetCovariance(9,9,9,9,9,9)");
    EXPECT_EQ(target.QueryInterface(Plugin::IID_ISatImportTargetCovariance), nullptr);
}

} // namespace
