#include <gnssimport/host/FormatSignature.h>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    const char* path;
    std::string head;
    const char* expected;
};

TEST(Signature, ClaimsOnlyPositiveSignatures)
{
    const Case cases[] = {
        {"TGO/TBC export", "a.asc", "[General]\r\nSource=Trimble\r\n", "tgotbc"},
        {"TGO/TBC after BOM and blank lines", "a.txt", "\xEF\xBB\xBF\n  \n[GPS]\nVector=x\n", "tgotbc"},
        {"unknown bracketed section (INI file)", "a.asc", "[Settings]\nkey=value\n", ""},
        {"ESRI ASCII grid", "dem.asc", "ncols 10\nnrows 10\nxllcorner 0\n", ""},
        {"Spectrum report, UTF-8 sign", "r.txt", "Spectrum\xC2\xAE Survey 4.30   Page 1\n", "spectrum"},
        {"Spectrum report, CP1251 sign", "r.txt", "Spectrum\xAE Survey 4.30\r\n", "spectrum"},
        {"prose naming Spectrum Survey", "r.txt", "We processed it in Spectrum Survey last week.\n", ""},
        {"a line naming Spectrum Survey", "r.txt", "Spectrum Survey is a program.\n", ""},
        {"Pinnacle station.dat, synonyms", "/x/STATION.DAT", "List of Synonyms for Long Names\r\nA B\r\n", "pinnacle"},
        {"Pinnacle vector.dat, marker", "/x/vector.dat", ":::\n1*A*B*L1*F*1*2*3*4\n", "pinnacle"},
        {"other .dat with the marker", "/x/data.dat", ":::\n", ""},
        {"vector.dat of another program", "/x/vector.dat", "x,y,z\n1,2,3\n", ""},
        {"Topcon point record", "t.txt", "Report\r\nP,K1,56 07 42.35,40 24 37.91,121.87\r\n", "topcon"},
        {"Topcon baseline record", "t.tvf", "VPP,A,B,1,2,3,0.1,0.1,0.1\n", "topcon"},
        {"a line starting P, in prose", "t.txt", "P, as in Peter, is a letter\n", ""},
        {"LGO points table, tabs", "p.txt", "Point Id\tLatitude\tLongitude\tEllip. Hgt.\n", "lgo"},
        {"LGO lines table, commas", "l.csv", "Reference Id,Rover Id,dX,dY,dZ\r\n", "lgo"},
        {"LGO points table, blanks", "p.prn", "Point_Id Latitude Longitude\n", "lgo"},
        {"only one end of a line", "l.csv", "Reference Id,Station,dX\n", ""},
        {"plain CSV", "cities.csv", "name,lat,lon\nParis,48.85,2.35\n", ""},
        {"LGO header with the wrong separator", "p.csv", "Point Id\tLatitude\n", ""},
        {"prose", "notes.txt", "The survey went well.\nNothing else to say.\n", ""},
        {"empty file", "e.txt", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(host::identifyFormat(c.path, c.head), c.expected) << c.what;
}

TEST(Signature, LgoColumnNamesFromTheOptions)
{
    host::LgoHeaderNames names;
    names.pointId = "Name";
    EXPECT_EQ(host::identifyFormat("p.csv", "Name,Lat,Lon\n", names), "lgo");
    EXPECT_EQ(host::identifyFormat("p.csv", "Point Id,Lat,Lon\n", names), "");
}

} // namespace
