// Whole exports: two real TBC files kept beside the project checkout (the
// tests skip when they are absent) and the project's own examples.
#include "TgoTestSupport.h"

#include <cmath>

namespace {

// Real exports live in shared/real-samples next to the checkout.
std::filesystem::path realSample(const std::string& name)
{
    return std::filesystem::path(GNSSIMPORT_SOURCE_DIR).parent_path() / "shared" / "real-samples" / "tgotbc" / name;
}

host::ImportedFile importPath(const std::filesystem::path& path)
{
    return tgo::onlyFile(test::importWith("tgotbc", {test::W(path.string())}));
}

void expectEveryPointComplete(const host::ImportedFile& file)
{
    for (const auto& p : file.points) {
        SCOPED_TRACE(test::U(p.name));
        ASSERT_TRUE(p.latitude && p.longitude && p.elevation && p.ellipsoidalHeight);
    }
}

TEST(TgoRealExports, Myrtleford)
{
    const auto path = realSample("myrtleford.asc");
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not there";
    const auto file = importPath(path);
    EXPECT_TRUE(file.messages.empty());
    ASSERT_EQ(file.points.size(), 11u);
    ASSERT_EQ(file.vectors.size(), 31u);
    expectEveryPointComplete(file);
    for (const auto& p : file.points)
        EXPECT_LT(*p.latitude, 0.0) << test::U(p.name);

    // The "[Stations]" values win over the keyed-in copies that follow.
    const auto& first = file.points[0];
    EXPECT_EQ(first.name, L"324900360");
    EXPECT_NEAR(*first.latitude, tgo::radians(-36.558426172), 1e-12);
    EXPECT_NEAR(*first.longitude, tgo::radians(146.722795455), 1e-12);
    EXPECT_EQ(*first.ellipsoidalHeight, 222.6915);
    EXPECT_EQ(*first.elevation, 211.3213);

    const auto& v = file.vectors[0];
    EXPECT_EQ(v.origin, L"324900360");
    EXPECT_EQ(v.target, L"MIMI");
    EXPECT_EQ(*v.dx(), -33180.9965);
    EXPECT_EQ(*v.sigmaY(), std::sqrt(1.7563594156e-004));
    EXPECT_EQ(*v.rms(), 0.026);
}

TEST(TgoRealExports, GeelongSmall)
{
    const auto path = realSample("geelong-small.asc");
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not there";
    const auto file = importPath(path);
    EXPECT_TRUE(file.messages.empty());
    EXPECT_EQ(tgo::pointNames(file), (std::vector<std::wstring>{L"315301790", L"WPND", L"QCLF", L"GLNG"}));
    ASSERT_EQ(file.vectors.size(), 3u);
    expectEveryPointComplete(file);
    EXPECT_EQ(file.vectors[2].origin, L"WPND");
    EXPECT_EQ(*file.vectors[2].dz(), 2238.3020);
}

struct ExampleCase {
    const char* file;
    std::size_t points;
    std::size_t vectors;
};

class TgoExamples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(TgoExamples, ImportWithoutMessages)
{
    const ExampleCase& c = GetParam();
    const auto file = importPath(test::sourcePath(std::string("examples/tgotbc/") + c.file));
    EXPECT_TRUE(file.messages.empty());
    EXPECT_EQ(file.points.size(), c.points);
    EXPECT_EQ(file.vectors.size(), c.vectors);
    expectEveryPointComplete(file);
}

INSTANTIATE_TEST_SUITE_P(Files, TgoExamples,
                         ::testing::Values(ExampleCase{"lakeland-control.asc", 5, 7},
                                           ExampleCase{"tver-cp1251.asc", 4, 5}));

} // namespace
