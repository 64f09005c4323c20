// The latitude and longitude texts the plug-in hands to the host's angle
// converter, and what a rejected angle does to the file.
#include "LgoTestSupport.h"

#include <gnssimport/host/AngleConverters.h>

#include <gtest/gtest.h>

namespace {

// A host converter that records the texts it is given and counts the
// references the plug-in holds on it and on its factory.
class SpyConverter : public Plugin::IAngleConverter {
public:
    void AddRef() override { ++refs; }
    bool Release() override { return --refs == 0; }
    bool Convert(const wchar_t* text, double& value) override
    {
        texts.emplace_back(text);
        return host::parseAngle(Plugin::AngleConverter::fromDMS, text, value);
    }
    int refs = 0;
    std::vector<std::wstring> texts;
};

class SpyFactory : public Plugin::IUnitConvertersFactory {
public:
    void AddRef() override { ++refs; }
    bool Release() override { return --refs == 0; }
    Plugin::IAngleConverter* CreateAngleConverter(Plugin::AngleConverter::Type type) override
    {
        types.push_back(type);
        converter.AddRef();
        return &converter;
    }
    int refs = 0;
    std::vector<Plugin::AngleConverter::Type> types;
    SpyConverter converter;
};

class SpyTarget : public host::RecordingTarget {
public:
    Plugin::IUnitConvertersFactory* GetUnitConvertersFactory() override
    {
        factory.AddRef();
        return &factory;
    }
    SpyFactory factory;
};

void importInto(SpyTarget& target, const std::vector<std::wstring>& paths)
{
    auto loaded = host::LoadedPlugin::load(test::pluginPath("lgo"));
    host::FileList files(paths);
    loaded.plugin()->DoImport(&files, &target);
}

// Blanks go, then the last capital N (latitude) or E (longitude); every
// other letter stays for the host to judge.
TEST(LgoAngles, BlanksAndTheLastPositiveHemisphereLetterAreRemoved)
{
    test::TempDir dir;
    const auto path = dir.write(
        "angles.txt", lgo::table({lgo::kPointsHeader,
                                  {"P1", "55 45 12.5 N", "37 37 04.25 E", "1"},
                                  {"P2", "55°45'12.5\" S", "037°37'04\" W", "2"},
                                  {"P3", "N 55 45 12 N", "E37 37 04", "3"},
                                  {"P4", "55 45 12 n", "37 37 04 e", "4"}},
                                 '\t'));
    SpyTarget target;
    importInto(target, {path});
    EXPECT_EQ(target.factory.types, std::vector<Plugin::AngleConverter::Type>{Plugin::AngleConverter::fromDMS})
        << "one converter for the whole table";
    EXPECT_EQ(target.factory.converter.texts,
              (std::vector<std::wstring>{L"554512.5", L"373704.25", L"55°45'12.5\"S", L"037°37'04\"W", L"N554512",
                                         L"373704", L"554512n", L"373704e"}));
    const auto& points = target.files().at(0).points;
    ASSERT_EQ(points.size(), 4u);
    EXPECT_NEAR(*points[1].latitude, -lgo::dmsRadians(55, 45, 12.5), 1e-12);
    EXPECT_NEAR(*points[1].longitude, -lgo::dmsRadians(37, 37, 4), 1e-12);
    EXPECT_EQ(target.factory.refs, 0);
    EXPECT_EQ(target.factory.converter.refs, 0);
}

// A rejected angle ends the file with the format error: earlier rows stay,
// the row itself sends nothing, later rows are not read, and the factory
// and converter are still released.
TEST(LgoAngles, RejectedAngleEndsTheFileAndReleasesTheConverter)
{
    test::TempDir dir;
    const auto bad = dir.write("bad.csv", lgo::table({lgo::kPointsHeader,
                                                      {"P1", "55 45 12", "37 37 04", "1"},
                                                      {"P2", "55 45 12", "east", "2"},
                                                      {"P3", "55 45 12", "37 37 04", "3"}},
                                                     ','));
    const auto next = dir.write("next.csv", lgo::table({lgo::kPointsHeader, {"P4", "55", "37", "4"}}, ','));
    SpyTarget target;
    importInto(target, {bad, next});
    ASSERT_EQ(target.files().size(), 2u);
    const auto& first = target.files()[0];
    ASSERT_EQ(first.points.size(), 1u);
    EXPECT_EQ(first.points[0].name, L"P1");
    ASSERT_EQ(first.messages.size(), 1u);
    EXPECT_EQ(first.messages[0].text, L"Неизвестный формат файла");
    EXPECT_EQ(first.progress, std::vector<float>{100.0f / 3});
    EXPECT_EQ(target.factory.converter.texts.size(), 6u) << "P1 twice, P2 twice, P4 twice";
    EXPECT_EQ(target.files()[1].points.size(), 1u);
    EXPECT_EQ(target.factory.refs, 0);
    EXPECT_EQ(target.factory.converter.refs, 0);
}

} // namespace
