// Whole files: line ends, progress, the end of a file, several files in one
// import, the code page detection and the bundled examples.
#include "CodePages.h"
#include "TopconTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using Events = std::vector<std::wstring>;
using TextEncodingDetector::Encoding::Type;

const std::string kPointA = "P,A,55 45 12,37 36 56,1";
const std::string kPointB = "P,B,55 45 12,37 36 56,2";

Events importWithProgress(const std::string& bytes)
{
    test::TempDir dir;
    topcon::SpyTarget target;
    topcon::import(target, {dir.write("report.txt", bytes)}, L"UTF-8");
    return topcon::brief(target, true);
}

std::vector<std::wstring> pointNames(const host::ImportedFile& file)
{
    std::vector<std::wstring> names;
    for (const auto& p : file.points)
        names.push_back(p.name);
    return names;
}

TEST(TopconFile, LineEndsOfEveryKindSplitAlike)
{
    const std::string bodies[] = {
        "Report\n" + kPointA + "\n\n" + kPointB,
        "Report\r\n" + kPointA + "\r\n\r\n" + kPointB + "\r\n",
        "Report\r" + kPointA + "\r\r" + kPointB,
        "Report\r" + kPointA + "\r\n\n" + kPointB + "\r",
    };
    const Events expected = importWithProgress(bodies[0]);
    for (const std::string& body : bodies)
        EXPECT_EQ(importWithProgress(body), expected);
    // Four lines, the empty one kept, the last one without terminator parsed.
    ASSERT_EQ(expected.size(), 17u);
    EXPECT_EQ(expected[0], L"SetCurrentLine(0)");
    EXPECT_EQ(expected[1], L"SetProgress(25)");
    EXPECT_EQ(expected[8], L"SetCurrentLine(2)");
    EXPECT_EQ(expected[9], L"SetProgress(75)");
    EXPECT_EQ(expected[11], L"SetText(Point,\"B\")");
    EXPECT_EQ(expected[15], L"SetProgress(100)");
    EXPECT_EQ(expected[16], L"SetProgress(100)");
}

TEST(TopconFile, FilesWithoutRecordsAreUnknownFormat)
{
    const Events unknown = {L"SetProgress(100)", L"SetCurrentLine(-1)", L"ReportError(Неизвестный формат файла)"};
    EXPECT_EQ(importWithProgress(""), unknown);
    Events headerOnly = {L"SetCurrentLine(0)", L"SetProgress(50)", L"SetCurrentLine(1)", L"SetProgress(100)"};
    headerOnly.insert(headerOnly.end(), unknown.begin(), unknown.end());
    EXPECT_EQ(importWithProgress("Topcon Tools report\r\nProject: test\r\n"), headerOnly);
}

// 671091 lines is the first count at which 100 * n / n in single precision
// comes out above 100.
TEST(TopconFile, ProgressStaysWithinHundredOnLongFiles)
{
    test::TempDir dir;
    host::RecordingTarget::Options options;
    options.recordProgress = false;
    host::RecordingTarget target(options);
    target.setRecordEvents(false);
    topcon::import(target, {dir.write("long.txt", std::string(671091, '\n'))});
    ASSERT_EQ(target.files().size(), 1u);
    const auto& messages = target.files()[0].messages;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Неизвестный формат файла");
}

TEST(TopconFile, NameErrorEndsTheFileWithoutFinalProgress)
{
    const Events expected = {L"SetCurrentLine(0)",
                             L"SetText(Point,\"A\")",
                             L"SetValue(Latitude," + topcon::angle(55, 45, 12) + L")",
                             L"SetValue(Longitude," + topcon::angle(37, 36, 56) + L")",
                             L"SetEllipsoidalHeight(1)",
                             L"SetProgress(33.3333)",
                             L"SetCurrentLine(1)",
                             L"SetText(VectorOrigin,\"A\")",
                             L"ReportError(Не задан конец вектора)"};
    EXPECT_EQ(importWithProgress(kPointA + "\nVPP,A\n" + kPointB), expected);
}

// Each file of an import is handled on its own: an unreadable one and one
// ended by an error leave the next ones untouched.
TEST(TopconFile, EachFileStandsAlone)
{
    test::TempDir dir;
    const std::wstring broken = dir.write("broken.txt", "VPP,,B\n" + kPointA);
    const std::wstring good = dir.write("good.txt", kPointB);
    host::RecordingTarget target;
    topcon::import(target, {dir.path().wstring() + L"/missing.txt", broken, good});
    const auto& files = target.files();
    ASSERT_EQ(files.size(), 3u);
    ASSERT_EQ(files[0].messages.size(), 1u);
    EXPECT_EQ(files[0].messages[0].text, L"Ошибка при открытии файла");
    EXPECT_TRUE(files[0].progress.empty());
    ASSERT_EQ(files[1].messages.size(), 1u);
    EXPECT_EQ(files[1].messages[0].text, L"Не задано начало вектора");
    EXPECT_EQ(files[1].messages[0].line, 0);
    EXPECT_TRUE(files[1].points.empty());
    EXPECT_EQ(pointNames(files[2]), std::vector<std::wstring>{L"B"});
    EXPECT_TRUE(files[2].messages.empty());
}

TEST(TopconFile, AngleConverterIsReleasedWithTheParser)
{
    test::TempDir dir;
    topcon::SpyTarget target;
    topcon::import(target, {dir.write("a.txt", kPointA), dir.write("b.txt", "VPP,A")});
    EXPECT_EQ(target.liveConverters, 0);
    EXPECT_EQ(target.angleTexts.size(), 2u);
}

// A host that offers no unit converters still gets the names and vectors.
TEST(TopconFile, NoConvertersMeansNamesOnly)
{
    struct NoConverters : host::RecordingTarget {
        Plugin::IUnitConvertersFactory* GetUnitConvertersFactory() override { return nullptr; }
    };
    test::TempDir dir;
    NoConverters target;
    topcon::import(target, {dir.write("r.txt", kPointA + "\nVPP,A,B,1,2,3,4,5,6")});
    ASSERT_EQ(target.files().size(), 1u);
    const auto& file = target.files()[0];
    ASSERT_EQ(file.points.size(), 1u);
    EXPECT_FALSE(file.points[0].latitude.has_value());
    ASSERT_EQ(file.vectors.size(), 1u);
    EXPECT_TRUE(file.vectors[0].factor().has_value());
    EXPECT_TRUE(file.messages.empty());
}

// A small report whose Russian text is enough to tell the code page.
const std::wstring kReport = L"Отчёт об обработке базовых линий\n"
                             L"Проект: съёмка опорной сети у деревни Заречье\n"
                             L"P,Берёзовка,55 45 12,37 36 56,150.5\n"
                             L"P,Южный репер,55 46 01,37 38 10,148.9\n"
                             L"VPP,Берёзовка,Южный репер,-1779.1,258.5,847.4,0.002,0.001,0.003\n";

TEST(TopconFile, CodePageIsDetectedPerFile)
{
    test::TempDir dir;
    std::vector<std::wstring> paths;
    for (Type page : test::allCodePages())
        paths.push_back(dir.write(std::string("report-") + test::charsetName(page) + ".txt",
                                  test::encodeCyrillic(kReport, page)));
    topcon::SpyTarget target;
    topcon::import(target, paths);
    ASSERT_EQ(target.files().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& file = target.files()[i];
        SCOPED_TRACE(test::charsetName(test::allCodePages()[i]));
        EXPECT_EQ(pointNames(file), (std::vector<std::wstring>{L"Берёзовка", L"Южный репер"}));
        ASSERT_EQ(file.vectors.size(), 1u);
        EXPECT_EQ(file.vectors[0].target, L"Южный репер");
        EXPECT_TRUE(file.messages.empty());
    }
    // Five lines per file, each decoded with that file's code page.
    ASSERT_EQ(target.charsets.size(), 15u);
    EXPECT_EQ(target.charsets[0], L"CP1251");
    EXPECT_EQ(target.charsets[5], L"KOI8-R");
    EXPECT_EQ(target.charsets[14], L"CP866");
}

// Point names in capitals, the only Cyrillic text of each file.
TEST(TopconFile, CapitalNamesAreDetectedInEveryCodePage)
{
    const std::wstring report = L"P,ГРП-5 СЕВЕРНЫЙ,55 45 12,37 36 56,150.5\n"
                                L"P,КУРГАН,55 46 01,37 38 10,148.9\n"
                                L"VPP,ГРП-5 СЕВЕРНЫЙ,КУРГАН,-1779.1,258.5,847.4,0.002,0.001,0.003\n";
    test::TempDir dir;
    std::vector<std::wstring> paths;
    for (Type page : test::allCodePages())
        paths.push_back(dir.write(std::string("caps-") + test::charsetName(page) + ".txt",
                                  test::encodeCyrillic(report, page)));
    topcon::SpyTarget target;
    topcon::import(target, paths);
    ASSERT_EQ(target.files().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(test::charsetName(test::allCodePages()[i]));
        const auto& file = target.files()[i];
        EXPECT_EQ(pointNames(file), (std::vector<std::wstring>{L"ГРП-5 СЕВЕРНЫЙ", L"КУРГАН"}));
        ASSERT_EQ(file.vectors.size(), 1u);
        EXPECT_EQ(file.vectors[0].origin, L"ГРП-5 СЕВЕРНЫЙ");
    }
}

TEST(TopconFile, ConfiguredCharsetSwitchesDetectionOff)
{
    test::TempDir dir;
    const std::string koi8 = test::encodeCyrillic(kReport, TextEncodingDetector::Encoding::koi8r);
    topcon::SpyTarget target;
    topcon::import(target, {dir.write("report.txt", koi8)}, L"CP1251");
    for (const std::wstring& charset : target.charsets)
        EXPECT_EQ(charset, L"CP1251");
    // The names come out as the KOI8-R bytes read in Windows-1251.
    host::CharsetConverter iconv;
    const std::string name = test::encodeCyrillic(L"Берёзовка", TextEncodingDetector::Encoding::koi8r);
    std::wstring misread;
    ASSERT_TRUE(iconv.convert("CP1251", name.data(), name.size(), misread));
    ASSERT_EQ(target.files().size(), 1u);
    ASSERT_FALSE(target.files()[0].points.empty());
    EXPECT_EQ(target.files()[0].points[0].name, misread);
}

struct Example {
    const char* file;
    std::vector<std::wstring> points;
    std::size_t vectors;
};

TEST(TopconFile, BundledExamplesImportCleanly)
{
    const Example examples[] = {
        {"examples/topcon/berezovka-cp1251.txt", {L"Берёзовка", L"Опорный 2", L"Северный", L"Ручей", L"Станция 4"}, 7},
        {"examples/topcon/zarechye-cp866.tvf", {L"Заречье", L"Мельница", L"Южный репер", L"Курган"}, 5},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.file);
        host::RecordingTarget target;
        topcon::import(target, {test::sourcePath(example.file).wstring()});
        ASSERT_EQ(target.files().size(), 1u);
        const auto& file = target.files()[0];
        EXPECT_TRUE(file.messages.empty());
        EXPECT_EQ(pointNames(file), example.points);
        for (const auto& p : file.points)
            EXPECT_TRUE(p.latitude && p.longitude && p.ellipsoidalHeight) << test::U(p.name);
        ASSERT_EQ(file.vectors.size(), example.vectors);
        for (const auto& v : file.vectors)
            EXPECT_TRUE(v.factor().has_value()) << test::U(v.origin);
    }
}

} // namespace
