// Variances and sigmas near the top of the double range: the RMS (and the
// TGO/TBC scale factor) derived from them stay finite wherever the true
// value is, instead of overflowing in an intermediate sum (a fuzzing find).
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct HugeCase {
    const char* plugin;
    const char* fileName;
    std::string bytes;
    std::size_t value; // index into ImportedVector::values
    double expected;
};

std::string spectrumWithHugeVariances()
{
    std::string report = test::readBytes(test::sourcePath("examples/spectrum/riverside-baselines.txt"));
    for (const char* variance : {"3.295331e-06", "2.603397e-06", "1.185841e-05"})
        report.replace(report.find(variance), std::string(variance).size(), "1e308");
    return report;
}

TEST(HugeValues, RmsAndFactorStayFinite)
{
    const double rootOf3e308 = std::sqrt(3.0) * 1e154;
    const std::size_t rms = 6, factor = 7;
    const HugeCase cases[] = {
        {"topcon", "report.txt", "VPP,A,B,1,2,3,1.1e301,0,0\n", rms, 1.1e301},
        {"topcon", "report.txt", "VPP,A,B,1,2,3,3e200,4e200,0\n", rms, 5e200},
        {"pinnacle", "vector.dat", ":::\n1*RV*BS*L1L2*FIXED*1*2*3*4\n1e308 0 1e308 0 0 1e308\n", rms, rootOf3e308},
        {"lgo", "lines.txt", "Reference Id\tRover Id\tdX\tdY\tdZ\tQ11\tQ22\tQ33\nA\tB\t1\t2\t3\t1e308\t1e308\t1e308\n",
         rms, rootOf3e308},
        {"spectrum", "report.txt", spectrumWithHugeVariances(), rms, rootOf3e308},
        {"tgotbc", "export.asc",
         "[General]\nSeparator=:\n[GPS]\nVector=1:?:A:B:1:2:3:1e308:0:0:1e308:0:1e308:0:0:0:0:1\n", factor,
         1.0 / rootOf3e308},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const auto target = test::importWith(c.plugin, {dir.write(c.fileName, c.bytes)});
        ASSERT_EQ(target.files().size(), 1u) << c.plugin;
        const auto& file = target.files()[0];
        ASSERT_FALSE(file.vectors.empty()) << c.plugin;
        const auto value = file.vectors[0].values[c.value];
        ASSERT_TRUE(value.has_value()) << c.plugin;
        EXPECT_NEAR(*value / c.expected, 1.0, 1e-12) << c.plugin << " gave " << *value;
    }
}

} // namespace
