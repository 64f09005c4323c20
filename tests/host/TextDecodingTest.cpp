// Russian names reach the host right whichever way the file's text is
// written: UTF-8 without a byte-order mark, a few words in a code page, or a
// code page with lines that happen to be valid UTF-8.
#include "CodePages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using test::Type;

std::vector<std::wstring> pointNames(const host::RecordingTarget& target)
{
    std::vector<std::wstring> names;
    for (const auto& file : target.files())
        for (const auto& point : file.points)
            names.push_back(point.name);
    return names;
}

host::RecordingTarget importFile(const std::string& plugin, const std::string& name, const std::string& bytes)
{
    test::TempDir dir;
    return test::importWith(plugin, {dir.write(name, bytes)});
}

std::string topconReport(const std::wstring& first, const std::wstring& second)
{
    return "P," + test::U(first) + ",55 45 12.3456,37 36 56.789,150.5\r\n" + "P," + test::U(second) +
           ",55 46 01.2036,37 38 10.716,148.902\r\n";
}

std::string tgoExport(const std::wstring& first, const std::wstring& second)
{
    return "[General]\nSeparator=:\n[Stations]\nStation=2:?:" + test::U(first) +
           ":54.601348512N:3.134921077W:139.8125:0:0:86.7125\nStation=2:?:" + test::U(second) +
           ":54.650853201N:3.147264109W:981.2730:0:0:928.1730\n";
}

// UTF-8 without a byte-order mark is what current editors write.
TEST(TextDecoding, Utf8WithoutByteOrderMarkIsReadAsUtf8)
{
    EXPECT_EQ(pointNames(importFile("topcon", "r.txt", topconReport(L"Берёзовка", L"Ёлкино"))),
              (std::vector<std::wstring>{L"Берёзовка", L"Ёлкино"}));
    EXPECT_EQ(pointNames(importFile("tgotbc", "e.asc", tgoExport(L"Берёзовка", L"Ёлкино"))),
              (std::vector<std::wstring>{L"Берёзовка", L"Ёлкино"}));
}

// A few words in a code page: not valid UTF-8, so detection still decides.
TEST(TextDecoding, FewWordsInACodePageAreStillDetected)
{
    const std::wstring first = L"Мельница", second = L"Заречье";
    for (Type page : test::allCodePages()) {
        const std::string report = test::encodeCyrillic(test::W(topconReport(first, second)), page);
        EXPECT_EQ(pointNames(importFile("topcon", "r.txt", report)), (std::vector<std::wstring>{first, second}))
            << test::charsetName(page);
        const std::string exported = test::encodeCyrillic(test::W(tgoExport(first, second)), page);
        EXPECT_EQ(pointNames(importFile("tgotbc", "e.asc", exported)), (std::vector<std::wstring>{first, second}))
            << test::charsetName(page);
    }
}

// "ТЁ" in CP1251 is D2 A8, valid UTF-8 on its own; the host decides for the
// whole file, so that line is read in CP1251 like the others.
TEST(TextDecoding, HostDecidesTheCharsetOncePerFile)
{
    const std::vector<std::wstring> names = {L"ТЁ", L"Сосновка"};
    const std::string lgo = "Point Id\tLatitude\tLongitude\tEllip. Hgt.\r\n"
                            "ТЁ\t55 45 12.3456 N\t37 36 56.789 E\t150.5\r\n"
                            "Сосновка\t55 46 01.2036 N\t37 38 10.716 E\t148.9\r\n";
    const std::string station = ":::\nRec*Station*Type*Name*Latitude*Sigma N*Longitude*Sigma E*Ell. Height\n"
                                "1*0001*C*ТЁ* 0.974438993142*0.0033* 0.651539893815*0.0026* 214.3180\n"
                                "2*0002*C*Сосновка* 0.974438993142*0.0033* 0.651539893815*0.0026* 214.3180\n";
    const std::string spectrum = "Spectrum Survey 4.30\n"
                                 "                                 VECTOR SUMMARY\n"
                                 "BASE STATION (ТЁ)    Epochs: 1419\n"
                                 "Antenna [SP80 internal, 1.512 m slant to ARP]\n"
                                 "X:     3955765.5133 m        Lat:  N 51 45 07.96680\n"
                                 "Y:      -86847.9490 m        Lon:  W 01 15 27.77040\n"
                                 "Z:     4985870.9080 m        Hgt:     112.418 m\n\n"
                                 "REMOTE STATION (Сосновка)    Epochs: 1328\n"
                                 "Antenna [SP80 internal, 1.447 m slant to ARP]\n"
                                 "X:     3954351.5390 m        Lat:  N 51 46 08.05440\n"
                                 "Y:      -84320.5161 m        Lon:  W 01 13 17.61600\n"
                                 "Z:     4987008.0808 m        Hgt:      96.772 m\n\n"
                                 "VECTOR RESULTS\n"
                                 "dX:    -1413.9742 m      Sigma:  0.0018 m\n"
                                 "dY:     2527.4328 m      Sigma:  0.0016 m\n"
                                 "dZ:     1137.1728 m      Sigma:  0.0034 m\n\n"
                                 "COVARIANCE MATRIX (m^2)\n"
                                 "dX    4.0e-06\n"
                                 "dY    8.787007e-07    9.0e-06\n"
                                 "dZ    2.500476e-06    1.389068e-06    1.6e-05\n";
    struct Case {
        const char* plugin;
        const char* file;
        std::string text;
    } cases[] = {{"lgo", "points.txt", lgo}, {"pinnacle", "station.dat", station},
                 {"spectrum", "report.txt", spectrum}};
    for (const auto& c : cases) {
        const auto target = importFile(c.plugin, c.file, test::encodeCyrillic(test::W(c.text), Type::win1251));
        EXPECT_EQ(pointNames(target), names) << c.plugin;
    }
}

} // namespace

namespace {

// The file is read in blocks of 1 MiB: a character cut by a block's end
// is whole in the next block, one cut by the file's end is invalid.
TEST(TextDecoding, FileCheckSeesCharactersAcrossBlocks)
{
    const std::string ascii((1u << 20) - 1, 'a');
    const struct {
        const char* what;
        std::string bytes;
        bool valid;
    } cases[] = {{"letter across the block end", ascii + "\xD0\xAF", true},
                 {"three bytes across it", ascii.substr(1) + "\xE2\x84\x96", true},
                 {"cut at the end of the file", ascii + "\xD0", false},
                 {"CP1251 after a block", ascii + "a\xCF\xF3", false},
                 {"ASCII", "abc", true}};
    test::TempDir dir;
    for (const auto& c : cases) {
        const host::FileText text = host::inspectFileText(test::U(dir.write("f.txt", c.bytes)));
        EXPECT_TRUE(text.read) << c.what;
        EXPECT_EQ(text.validUtf8, c.valid) << c.what;
    }
}

} // namespace
