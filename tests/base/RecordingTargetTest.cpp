// The reference host's import target: assembly of the event stream and the
// contract breaches it flags.
#include "PluginHelpers/StringImpl.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using host::ImportMessage;
using namespace Plugin;

TEST(RecordingTarget, AssemblesPointsAndVectorsPerFile)
{
    host::RecordingTarget t;
    t.SetCurrentFile(L"a.txt");
    t.SetCurrentLine(4);
    t.SetText(Point, L"P1");
    t.SetValue(Latitude, 1.0);
    t.SetValue(Longitude, 0.5);
    t.SetEllipsoidalHeight(12.5);
    t.SetText(VectorOrigin, L"P1");
    t.SetText(VectorTarget, L"P2");
    for (int e = DeltaX; e <= Factor; ++e)
        t.SetValue(static_cast<SatEvents>(e), e * 1.0);
    t.SetCurrentFile(L"b.txt");
    t.ReportError(L"bad");

    ASSERT_EQ(t.files().size(), 2u);
    const auto& a = t.files()[0];
    ASSERT_EQ(a.points.size(), 1u);
    EXPECT_EQ(a.points[0].name, L"P1");
    EXPECT_EQ(a.points[0].line, 4);
    EXPECT_EQ(a.points[0].latitude, 1.0);
    EXPECT_EQ(a.points[0].ellipsoidalHeight, 12.5);
    EXPECT_FALSE(a.points[0].elevation.has_value());
    ASSERT_EQ(a.vectors.size(), 1u);
    EXPECT_EQ(a.vectors[0].target, L"P2");
    EXPECT_EQ(a.vectors[0].factor(), static_cast<double>(Factor));
    EXPECT_TRUE(a.messages.empty());
    EXPECT_TRUE(t.files()[1].hasErrors());
    EXPECT_EQ(t.describeEvents().front(), L"SetCurrentFile(a.txt)");
    EXPECT_EQ(t.describeEvents()[2], L"SetText(Point,\"P1\")");
}

TEST(RecordingTarget, FlagsBreachesOfTheEventContract)
{
    struct Case {
        const char* name;
        void (*run)(host::RecordingTarget&);
    };
    const Case cases[] = {
        {"latitude without point", [](host::RecordingTarget& t) { t.SetValue(Latitude, 1); }},
        {"height without point", [](host::RecordingTarget& t) { t.SetEllipsoidalHeight(1); }},
        {"value without vector", [](host::RecordingTarget& t) { t.SetValue(DeltaX, 1); }},
        {"value out of order",
         [](host::RecordingTarget& t) {
             t.SetText(VectorOrigin, L"A");
             t.SetText(VectorTarget, L"B");
             t.SetValue(DeltaY, 1);
         }},
        {"target without origin", [](host::RecordingTarget& t) { t.SetText(VectorTarget, L"B"); }},
        {"latitude with only a vector open",
         [](host::RecordingTarget& t) {
             t.SetText(VectorOrigin, L"A");
             t.SetValue(Latitude, 1);
         }},
        {"second target",
         [](host::RecordingTarget& t) {
             t.SetText(VectorOrigin, L"A");
             t.SetText(VectorTarget, L"B");
             t.SetText(VectorTarget, L"C");
         }},
        {"progress out of range", [](host::RecordingTarget& t) { t.SetProgress(101.0f); }},
    };
    for (const auto& c : cases) {
        host::RecordingTarget t;
        t.SetCurrentFile(L"f");
        c.run(t);
        ASSERT_EQ(t.files().size(), 1u) << c.name;
        EXPECT_EQ(t.files()[0].count(ImportMessage::HostWarning), 1u) << c.name;
    }
}

// Points and vectors opened in turn, as baseline reports send them: each
// value goes to the point or vector it belongs to.
TEST(RecordingTarget, AcceptsInterleavedPointAndVectorEvents)
{
    host::RecordingTarget t;
    t.SetCurrentFile(L"f");
    t.SetText(Point, L"B");
    t.SetText(VectorOrigin, L"B");
    t.SetValue(Latitude, 0.1);
    t.SetValue(Longitude, 0.2);
    t.SetEllipsoidalHeight(10);
    t.SetText(Point, L"R");
    t.SetText(VectorTarget, L"R");
    t.SetValue(Latitude, 0.3);
    t.SetValue(Longitude, 0.4);
    for (int e = DeltaX; e <= Factor; ++e)
        t.SetValue(static_cast<SatEvents>(e), e);
    const auto& file = t.files().at(0);
    EXPECT_EQ(file.count(ImportMessage::HostWarning), 0u);
    ASSERT_EQ(file.points.size(), 2u);
    EXPECT_EQ(file.points[0].ellipsoidalHeight, 10.0);
    EXPECT_EQ(file.points[1].latitude, 0.3);
    ASSERT_EQ(file.vectors.size(), 1u);
    EXPECT_EQ(file.vectors[0].origin, L"B");
    EXPECT_EQ(file.vectors[0].target, L"R");
    EXPECT_EQ(file.vectors[0].factor(), static_cast<double>(Factor));
}

TEST(RecordingTarget, WithholdsInterfacesOnRequest)
{
    host::RecordingTarget::Options options;
    options.offerTarget2 = false;
    host::RecordingTarget t(options);
    EXPECT_EQ(t.QueryInterface(IID_ISatImportTarget2), nullptr);
    EXPECT_NE(t.QueryInterface(IID_ISatImportTarget3), nullptr);
    options = {};
    options.offerTarget3 = false;
    host::RecordingTarget t3(options);
    EXPECT_EQ(t3.QueryInterface(IID_ISatImportTarget3), nullptr);
    EXPECT_EQ(t3.QueryInterface(IID_ISatImportTarget), static_cast<ISatImportTarget*>(&t3));
}

TEST(RecordingTarget, ConvertBytesDecodesOrFails)
{
    host::RecordingTarget t;
    Plugin::ByteArrayImpl bytes;
    bytes.assign("\xCF\xF3\xED\xEA\xF2", 5); // "Пункт" in CP1251
    ASSERT_EQ(t.ConvertBytes(L"strconv", L"CP1251", &bytes), 0);
    ASSERT_EQ(bytes.size(), static_cast<int>(5 * sizeof(wchar_t)));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), 5), L"Пункт");

    bytes.assign("abc", 3);
    EXPECT_NE(t.ConvertBytes(L"strconv", L"NO-SUCH-CHARSET", &bytes), 0);
    EXPECT_NE(t.ConvertBytes(L"other", L"CP1251", &bytes), 0);

    host::RecordingTarget::Options options;
    options.convertBytesResult = 7;
    host::RecordingTarget failing(options);
    EXPECT_EQ(failing.ConvertBytes(L"strconv", L"CP1251", &bytes), 7);
}

} // namespace
