// The bundled example network imports cleanly, with its long names.
#include "PinnacleTrace.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(PinnacleExamples, NetworkImportsCleanly)
{
    const std::vector<std::wstring> paths = {test::W(test::sourcePath("examples/pinnacle/station.dat").string()),
                                             test::W(test::sourcePath("examples/pinnacle/vector.dat").string())};
    const auto target = test::importWith("pinnacle", paths);
    ASSERT_EQ(target.files().size(), 2u);
    for (const auto& file : target.files()) {
        EXPECT_TRUE(file.messages.empty());
        EXPECT_EQ(file.progress, std::vector<float>{100.0f});
    }

    std::set<std::wstring> stations;
    for (const auto& p : target.files()[0].points) {
        EXPECT_TRUE(p.latitude && p.longitude && p.ellipsoidalHeight);
        stations.insert(p.name);
    }
    EXPECT_EQ(stations.size(), 5u);
    EXPECT_EQ(stations.count(L"Krasnogorsk GGS 4417 water tower"), 1u);
    EXPECT_EQ(stations.count(L"RV03"), 1u);

    // Every baseline joins two of the stations and carries its covariance.
    const auto& vectors = target.files()[1].vectors;
    EXPECT_EQ(vectors.size(), 7u);
    for (const auto& v : vectors) {
        EXPECT_EQ(stations.count(v.origin), 1u) << test::U(v.origin);
        EXPECT_EQ(stations.count(v.target), 1u) << test::U(v.target);
        EXPECT_TRUE(v.rms() && v.factor());
    }
}

} // namespace
