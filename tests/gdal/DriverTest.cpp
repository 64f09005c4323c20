// The driver inside this process, the way GDAL's tools and QGIS use it.
#include "Import.h"

#include "TestSupport.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

extern "C" void RegisterOGRGNSSImport();

namespace {

// GDAL keeps its drivers and caches until it is told to let them go.
class GdalEnvironment : public ::testing::Environment {
public:
    void TearDown() override { GDALDestroyDriverManager(); }
};
const auto* const s_environment = ::testing::AddGlobalTestEnvironment(new GdalEnvironment);

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

class Driver : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CPLSetConfigOption("GNSSIMPORT_PLUGIN_DIR", GNSSIMPORT_PLUGIN_DIR);
        // Plug-in drivers come before the built-in ones, as GDAL loads them.
        RegisterOGRGNSSImport();
        GDALAllRegister();
    }

    static Dataset open(const std::string& path, const char* const* options = nullptr,
                        const char* const* drivers = nullptr)
    {
        CPLErrorReset();
        return Dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, options));
    }

    static std::string example(const std::string& relative) { return test::sourcePath("examples/" + relative).string(); }
};

TEST_F(Driver, RealExportInWgs84)
{
    const std::string path = "/work/shared/real-samples/tgotbc/myrtleford.asc";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no " << path;
    const Dataset dataset = open(path);
    ASSERT_TRUE(dataset);
    EXPECT_STREQ(dataset->GetDriver()->GetDescription(), "GNSSImport");
    OGRLayer* points = dataset->GetLayerByName("points");
    ASSERT_TRUE(points);
    EXPECT_EQ(points->GetFeatureCount(), 11);
    EXPECT_EQ(dataset->GetLayerByName("vectors")->GetFeatureCount(), 31);
    const char* code = points->GetSpatialRef()->GetAuthorityCode(nullptr);
    EXPECT_STREQ(code, "4979");
    OGREnvelope extent;
    ASSERT_EQ(points->GetExtent(&extent), OGRERR_NONE);
    EXPECT_GT(extent.MinX, 146);
    EXPECT_LT(extent.MaxX, 148);
    EXPECT_GT(extent.MinY, -38);
    EXPECT_LT(extent.MaxY, -36);
}

TEST_F(Driver, StableIdsAndFilters)
{
    const Dataset dataset = open(example("topcon/berezovka-cp1251.txt"));
    ASSERT_TRUE(dataset);
    OGRLayer* vectors = dataset->GetLayerByName("vectors");
    std::unique_ptr<OGRFeature> third(vectors->GetFeature(3));
    ASSERT_TRUE(third);
    vectors->ResetReading();
    for (int i = 0; i < 3; ++i)
        OGRFeature::DestroyFeature(vectors->GetNextFeature());
    std::unique_ptr<OGRFeature> again(vectors->GetNextFeature());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetFID(), 4);
    EXPECT_EQ(vectors->GetFeature(0), nullptr);

    const std::string from = third->GetFieldAsString("from");
    ASSERT_EQ(vectors->SetAttributeFilter(("\"from\" = '" + from + "'").c_str()), OGRERR_NONE);
    const GIntBig matching = vectors->GetFeatureCount();
    EXPECT_GE(matching, 1);
    EXPECT_LT(matching, 7);
    vectors->SetAttributeFilter(nullptr);
    EXPECT_EQ(vectors->GetFeatureCount(), 7);

    OGRLayer* points = dataset->GetLayerByName("points");
    points->SetSpatialFilterRect(0, 0, 1, 1);
    EXPECT_EQ(points->GetFeatureCount(), 0);
    points->SetSpatialFilter(nullptr);
    EXPECT_EQ(points->GetFeatureCount(), 5);
}

TEST_F(Driver, PinnacleVectorsPlacedByTheStationsBesideThem)
{
    const Dataset dataset = open(example("pinnacle/vector.dat"));
    ASSERT_TRUE(dataset);
    std::unique_ptr<OGRFeature> vector(dataset->GetLayerByName("vectors")->GetFeature(1));
    ASSERT_TRUE(vector);
    EXPECT_TRUE(vector->IsFieldSetAndNotNull(vector->GetFieldIndex("cov_xx")));
    const OGRGeometry* line = vector->GetGeometryRef();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->getGeometryType(), wkbLineString25D);
}

TEST_F(Driver, RejectedFileOpensWithItsMessages)
{
    test::TempDir dir;
    const std::string path = test::U(dir.write("notes.txt", "The survey went well.\n"));
    const char* const options[] = {"PLUGIN=topcon", nullptr};
    const Dataset dataset = open(path, options);
    ASSERT_TRUE(dataset);
    EXPECT_EQ(dataset->GetLayerByName("points")->GetFeatureCount(), 0);
    EXPECT_EQ(dataset->GetLayerByName("vectors")->GetFeatureCount(), 0);
    OGRLayer* messages = dataset->GetLayerByName("messages");
    ASSERT_EQ(messages->GetFeatureCount(), 1);
    std::unique_ptr<OGRFeature> message(messages->GetFeature(1));
    EXPECT_STREQ(message->GetFieldAsString("severity"), "error");
    EXPECT_STRNE(message->GetFieldAsString("text"), "");
}

TEST_F(Driver, UnreadableFileFailsNamingIt)
{
    test::TempDir dir;
    const char* const options[] = {"PLUGIN=lgo", nullptr};
    EXPECT_FALSE(open(dir.path().string(), options));
    EXPECT_NE(std::string(CPLGetLastErrorMsg()).find(dir.path().string()), std::string::npos) << CPLGetLastErrorMsg();

    const char* const unknown[] = {"PLUGIN=nonesuch", nullptr};
    EXPECT_FALSE(open(example("topcon/berezovka-cp1251.txt"), unknown));
    EXPECT_NE(std::string(CPLGetLastErrorMsg()).find("nonesuch"), std::string::npos);
}

TEST_F(Driver, AskedForByNameOpensWithoutSignature)
{
    // A note above the first section hides the signature, not the data.
    test::TempDir dir;
    std::ifstream in(example("tgotbc/lakeland-control.asc"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string path = test::U(dir.write("noted.asc", "exported by hand\n" + text));
    EXPECT_FALSE(open(path) && open(path)->GetDriver() == GetGDALDriverManager()->GetDriverByName("GNSSImport"));
    const char* const ours[] = {"GNSSImport", nullptr};
    const Dataset dataset = open(path, nullptr, ours);
    ASSERT_TRUE(dataset);
    EXPECT_STREQ(dataset->GetMetadataItem("PLUGIN"), "TGO/TBC");
    EXPECT_EQ(dataset->GetLayerByName("points")->GetFeatureCount(), 5);
}

TEST_F(Driver, OptionsReachThePlugins)
{
    test::TempDir dir;
    const std::string path = test::U(dir.write("p.csv", "Name,Latitude,Longitude,H\nA,55 45 12.3 N,37 37 04.1 E,187.3\n"));
    // Without the options the header is not an LGO one: the CSV driver reads it.
    const Dataset plain = open(path);
    ASSERT_TRUE(plain);
    EXPECT_STRNE(plain->GetDriver()->GetDescription(), "GNSSImport");
    const char* const options[] = {"point_id=Name", "ellip_Hgt=H", nullptr};
    const Dataset dataset = open(path, options);
    ASSERT_TRUE(dataset);
    EXPECT_STREQ(dataset->GetDriver()->GetDescription(), "GNSSImport");
    EXPECT_EQ(dataset->GetLayerByName("points")->GetFeatureCount(), 1);
}

} // namespace
