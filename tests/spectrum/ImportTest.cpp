// Whole reports through the plug-in: the bundled examples, the event stream
// of one block, hosts with and without ISatImportTarget2/3, and what ends a file.
#include "SpectrumTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <regex>

namespace {

using namespace spectrum;

const std::wstring kUnknownFormat = L"Неизвестный формат файла";
const std::wstring kOpenError = L"Ошибка при открытии файла";

std::string example(const std::string& name) { return test::readBytes(test::sourcePath("examples/spectrum/" + name)); }
std::string data(const std::string& name) { return test::readBytes(test::sourcePath("tests/spectrum/data/" + name)); }

// Angles printed beside the coordinates, e.g. "Lat:  N 51 45 07.96680", in radians.
std::vector<double> printedAngles(const std::string& text, const std::string& label)
{
    std::vector<double> out;
    const std::regex angle(label + R"(:\s+([NSEW]) (\d+) (\d+) ([\d.]+))");
    for (std::sregex_iterator it(text.begin(), text.end(), angle), end; it != end; ++it) {
        const auto& m = *it;
        const double degrees = std::stod(m[2]) + std::stod(m[3]) / 60 + std::stod(m[4]) / 3600;
        out.push_back((m[1] == "S" || m[1] == "W" ? -1 : 1) * degrees * M_PI / 180);
    }
    return out;
}

TEST(SpectrumExamples, EnglishReportGivesThePrintedPositions)
{
    const std::string text = example("riverside-baselines.txt");
    const FileResult f = importText(text);
    EXPECT_TRUE(f.errors.empty());
    ASSERT_EQ(f.vectors.size(), 4u);
    ASSERT_EQ(f.points.size(), 8u);
    const auto latitudes = printedAngles(text, "Lat"), longitudes = printedAngles(text, "Lon");
    ASSERT_EQ(latitudes.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(*f.points[i].latitude, latitudes[i], 1e-9) << i;
        EXPECT_NEAR(*f.points[i].longitude, longitudes[i], 1e-9) << i;
        EXPECT_TRUE(f.points[i].height.has_value());
    }
    EXPECT_EQ(f.vectors[3].origin, L"RS03");
    EXPECT_EQ(f.vectors[3].target, L"RS04");
    EXPECT_EQ(*f.points[7].height, 134.951);
}

TEST(SpectrumExamples, RussianReportDecodedAsCp1251)
{
    const std::string text = example("kazan-baselines-cp1251.txt");
    for (const std::wstring charset : {L"CP1251", L""}) { // empty: the host falls back to CP1251
        const FileResult f = importText(text, {{{L"charset", charset}}, {}});
        EXPECT_TRUE(f.errors.empty());
        ASSERT_EQ(f.vectors.size(), 3u);
        EXPECT_EQ(f.vectors[1].origin, L"КЗ01");
        EXPECT_EQ(f.vectors[1].target, L"Пункт 7");
        EXPECT_EQ(f.vectors[0].values[0], -4076.4888); // decimal comma
        EXPECT_EQ(*f.points[3].height, 131.048);
        EXPECT_NEAR(*f.points[0].latitude * 180 / M_PI, 55.861447, 1e-8);
    }
    // Read as KOI8-R no Russian title survives, so no block is found.
    EXPECT_EQ(importText(text, {{{L"charset", L"KOI8-R"}}, {}}).errors, std::vector<std::wstring>{kUnknownFormat});
}

TEST(SpectrumImport, OneBlockSendsTwoPointsThenTheVector)
{
    const FileResult f = importText(report({BlockLines()}));
    const std::vector<std::string> kinds = {"Point",  "VectorOrigin", "Latitude", "Longitude", "Height",
                                            "Point",  "VectorTarget", "Latitude", "Longitude", "Height",
                                            "DeltaX", "DeltaY",       "DeltaZ",   "SigmaX",    "SigmaY",
                                            "SigmaZ", "RMS",          "Factor"};
    EXPECT_EQ(f.kinds, kinds);
    ASSERT_EQ(f.vectors.size(), 1u);
    const std::vector<double> values = {1805.6791, -1159.2663, -838.6873, std::sqrt(4.41e-06), std::sqrt(3.24e-06),
                                        std::sqrt(1.156e-05), std::sqrt(4.41e-06 + 3.24e-06 + 1.156e-05), 1.0};
    EXPECT_EQ(f.vectors[0].values, values);
    EXPECT_EQ(f.points[0].name, L"A1");
    EXPECT_EQ(*f.points[0].height, 187.402);
    EXPECT_EQ(*f.points[1].height, 173.915);
}

// Without ISatImportTarget2 no height is sent; without ISatImportTarget3 the
// process locale decodes, and in the C locale the "®" of the footer line is
// cut off, so the two blocks run together and only the first is imported.
TEST(SpectrumImport, HostsWithAndWithoutTarget2AndTarget3)
{
    struct Case {
        bool target2, target3;
        const char* locale;
        std::size_t vectors;
        bool heights;
    } const cases[] = {
        {true, true, "C", 2, true},   {false, true, "C", 2, false},      {true, false, "C.UTF-8", 2, true},
        {false, false, "C.UTF-8", 2, false}, {true, false, "C", 1, true},
    };
    const std::string text = report({BlockLines(), BlockLines().set("BASE STATION", "BASE STATION (C3)")});
    for (const auto& c : cases) {
        test::CLocaleGuard locale(c.locale);
        ASSERT_TRUE(locale.ok()) << c.locale;
        test::ImportRun run;
        run.options.offerTarget2 = c.target2;
        run.options.offerTarget3 = c.target3;
        const FileResult f = importText(text, run);
        EXPECT_TRUE(f.errors.empty());
        ASSERT_EQ(f.vectors.size(), c.vectors) << c.target2 << c.target3 << c.locale;
        EXPECT_EQ(f.points[0].height.has_value(), c.heights);
        EXPECT_EQ(f.points.back().height.has_value(), c.heights);
    }
}

// A file without any block, one that cannot be read, and one whose every line
// fails to decode are each reported once; the next file is still imported.
TEST(SpectrumImport, FilesWithoutBlocksAreReported)
{
    const std::string good = report({BlockLines()});
    const auto files = importTexts({"", data("other-format.txt"), "VECTOR SUMMARY\n", good});
    ASSERT_EQ(files.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(files[i].errors, std::vector<std::wstring>{kUnknownFormat}) << i;
        EXPECT_TRUE(files[i].points.empty());
    }
    EXPECT_TRUE(files[3].errors.empty());
    EXPECT_EQ(files[3].vectors.size(), 1u);

    test::ImportRun failing;
    failing.options.convertBytesResult = 1;
    EXPECT_EQ(importText(good, failing).errors, std::vector<std::wstring>{kUnknownFormat});

    test::TempDir dir;
    const auto target = test::importWith("spectrum", {dir.path().wstring() + L"/missing.txt", dir.write("ok.txt", good)});
    const auto results = spectrum::results(target);
    EXPECT_EQ(results[0].errors, std::vector<std::wstring>{kOpenError});
    EXPECT_EQ(results[1].vectors.size(), 1u);
}

// A malformed block ends its file: blocks before it stay imported, later ones
// are skipped, and the next file is imported normally. A negative variance is
// found only after the points and the components were sent.
TEST(SpectrumImport, BadBlockEndsItsFileOnly)
{
    const auto files = importTexts({data("second-block-without-covariance-matrix.txt"),
                                    data("two-blocks-with-footers.txt"), data("negative-variance.txt")});
    EXPECT_EQ(files[0].vectors.size(), 1u);
    EXPECT_EQ(files[0].errors, std::vector<std::wstring>{kUnknownFormat});
    EXPECT_EQ(files[0].kinds.back(), "Error");
    EXPECT_EQ(files[1].vectors.size(), 2u);
    EXPECT_TRUE(files[1].errors.empty());
    ASSERT_EQ(files[2].vectors.size(), 1u);
    EXPECT_EQ(files[2].vectors[0].values.size(), 3u);
    EXPECT_EQ(files[2].points.size(), 2u);
    EXPECT_EQ(files[2].errors, std::vector<std::wstring>{kUnknownFormat});
}

} // namespace
