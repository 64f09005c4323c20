// Records kept in the temporary spool come back exactly as the target
// assembled them, and every output of the tool is the same whether the
// records waited on disk or in memory (--check keeps them in memory).
#include "RecordSpool.h"
#include "TestSupport.h"
#include "ToolRunner.h"

#include <gnssimport/host/RecordingTarget.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

struct Collected : host::RecordSink {
    std::vector<host::ImportedPoint> points;
    std::vector<host::ImportedVector> vectors;
    void point(const host::ImportedPoint& p) override { points.push_back(p); }
    void vector(const host::ImportedVector& v) override { vectors.push_back(v); }
};

bool same(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
}

void expectSame(const host::ImportedPoint& a, const host::ImportedPoint& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_TRUE(same(a.latitude, b.latitude) && same(a.longitude, b.longitude) && same(a.elevation, b.elevation) &&
                same(a.ellipsoidalHeight, b.ellipsoidalHeight));
    EXPECT_EQ(a.line, b.line);
}

void expectSame(const host::ImportedVector& a, const host::ImportedVector& b)
{
    EXPECT_EQ(a.origin, b.origin);
    EXPECT_EQ(a.target, b.target);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_TRUE(same(a.values[i], b.values[i])) << i;
    EXPECT_EQ(a.covariance, b.covariance);
    EXPECT_EQ(a.line, b.line);
}

// The calls of a plug-in: points and vectors interleaved, values after the
// other kind was opened, a covariance, a second file, a vector left open.
void drive(host::RecordingTarget& t, const std::wstring& longName)
{
    t.SetCurrentFile(L"a");
    t.SetCurrentLine(0);
    t.SetText(Plugin::Point, L"P1");
    t.SetText(Plugin::VectorOrigin, L"P1");
    t.SetText(Plugin::VectorTarget, longName.c_str());
    t.SetValue(Plugin::Latitude, 0.5); // still P1's
    for (int e = Plugin::DeltaX; e <= Plugin::Factor; ++e)
        t.SetValue(static_cast<Plugin::SatEvents>(e), e == Plugin::DeltaY ? -0.0 : std::nan("") + e);
    t.SetCovariance(1, 2, 3, 4, 5, 6);
    t.SetCurrentLine(7);
    t.SetText(Plugin::Point, longName.c_str());
    t.SetEllipsoidalHeight(-12.25);
    t.SetCurrentFile(L"b");
    t.SetText(Plugin::VectorOrigin, L"");
    t.SetValue(Plugin::DeltaX, 1e300);
}

TEST(RecordSpool, TargetHandsOverWhatItWouldKeep)
{
    // Longer than a read block, so that records are cut by block ends.
    const std::wstring longName(300000, L'Ж');
    host::RecordingTarget kept;
    drive(kept, longName);

    host::RecordingTarget sent;
    cli::RecordSpool spool;
    sent.setRecordSink(&spool);
    drive(sent, longName);
    const cli::RecordSpool::Mark middle = spool.end();
    sent.finishRecords();
    ASSERT_EQ(sent.files().size(), 2u);
    EXPECT_EQ(sent.files()[0].sentPoints, 2u);
    EXPECT_EQ(sent.files()[0].sentVectors, 1u);
    EXPECT_EQ(sent.files()[1].sentVectors, 1u);
    EXPECT_TRUE(sent.files()[0].points.empty() && sent.files()[1].vectors.empty());

    Collected all;
    spool.readPoints({}, spool.end(), [&](const auto& p) { all.point(p); });
    spool.readVectors({}, spool.end(), [&](const auto& v) { all.vector(v); });
    ASSERT_EQ(all.points.size(), 2u);
    ASSERT_EQ(all.vectors.size(), 2u);
    expectSame(all.points[0], kept.files()[0].points[0]);
    expectSame(all.points[1], kept.files()[0].points[1]);
    expectSame(all.vectors[0], kept.files()[0].vectors[0]);
    expectSame(all.vectors[1], kept.files()[1].vectors[0]);

    // A range holds only its own records.
    Collected tail;
    spool.readPoints(middle, spool.end(), [&](const auto& p) { tail.point(p); });
    spool.readVectors(middle, spool.end(), [&](const auto& v) { tail.vector(v); });
    EXPECT_TRUE(tail.points.empty());
    ASSERT_EQ(tail.vectors.size(), 1u);
    expectSame(tail.vectors[0], kept.files()[1].vectors[0]);
}

// --check keeps records in memory; without it they wait in the spool.
TEST(RecordSpool, OutputsAreTheSameAsFromMemory)
{
    std::vector<std::string> inputs;
    for (const char* f : {"topcon/berezovka-cp1251.txt", "topcon/zarechye-cp866.tvf", "tgotbc/lakeland-control.asc",
                          "lgo/lines.csv", "lgo/points.prn", "pinnacle/station.dat", "pinnacle/vector.dat",
                          "spectrum/riverside-baselines.txt"})
        inputs.push_back(test::sourcePath(std::string("examples/") + f).string());
    test::TempDir dir;
    for (const char* format : {"text", "json", "geojson", "csv", "dynaml", "gama"}) {
        std::string outputs[2];
        for (int check = 0; check < 2; ++check) {
            const std::string out = (dir.path() / (std::string(format) + std::to_string(check))).string();
            std::vector<std::string> args = {"-f", format, "-o", out};
            if (check)
                args.push_back("--check");
            args.insert(args.end(), inputs.begin(), inputs.end());
            test::runTool(args);
            const bool pair = std::string(format) == "csv" || std::string(format) == "dynaml";
            outputs[check] = pair ? test::readBytes(out + (format[0] == 'c' ? "-points.csv" : ".stn.xml")) +
                                        test::readBytes(out + (format[0] == 'c' ? "-vectors.csv" : ".msr.xml"))
                                  : test::readBytes(out);
        }
        EXPECT_FALSE(outputs[0].empty()) << format;
        EXPECT_EQ(outputs[0], outputs[1]) << format;
    }
}

} // namespace
