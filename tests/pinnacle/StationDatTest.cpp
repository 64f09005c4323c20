// station.dat through the real plug-in: records, the synonym block, the start
// of the data, short records and blank lines, with and without the host's
// height interface.
#include "PinnacleTrace.h"

#include <gtest/gtest.h>

namespace {

using pinnacle::importFiles;
using pinnacle::trace;
using Trace = std::vector<std::string>;

const std::string kInvalid = "Error(Неизвестный формат файла)";
const std::string kTitle = "List of Synonyms for Long Names\n";
const std::string kRecord = "a*b*c*P1*0.9*x*0.6*y*150.2\n";

class StationDat : public ::testing::TestWithParam<bool> {
protected:
    bool target2() const { return GetParam(); }
    // The events of a record with the height when the host takes it.
    Trace point(const std::string& name, const std::string& lat, const std::string& lon, const std::string& height) const
    {
        Trace t = {"Point(" + name + ")", "Latitude=" + lat, "Longitude=" + lon};
        if (target2())
            t.push_back("Height=" + height);
        return t;
    }
    static Trace concat(std::initializer_list<Trace> parts)
    {
        Trace all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    }
};

TEST_P(StationDat, RecordBecomesAPoint)
{
    auto r = importFiles({{"station.dat", ":::\nNo*Id*Code*Name*Lat*SLat*Lon*SLon*Height\n" + kRecord}}, target2());
    EXPECT_EQ(trace(r.target), concat({{"File(station.dat)"}, point("P1", "0.9", "0.6", "150.2"),
                                       {"Line(3)", "Progress(100)"}}));
    EXPECT_EQ(pinnacle::hostWarnings(r.target), 0u);
}

// The second blank after the synonym stays with the long name.
TEST_P(StationDat, SynonymBlockGivesLongNames)
{
    auto r = importFiles({{"station.dat", kTitle + "P1  Long name 1\nEnd of List\n:::\nheader\n" + kRecord}}, target2());
    EXPECT_EQ(trace(r.target),
              concat({{"File(station.dat)", "Line(1)", "Line(2)", "Line(5)"}, point(" Long name 1", "0.9", "0.6", "150.2"),
                      {"Line(6)", "Progress(100)"}}));
}

TEST_P(StationDat, SynonymLookup)
{
    const std::string block = kTitle + "P1 First\n  P1 Second  \nP2 Two words  here\t\nEnd of List\n:::\nheader\n";
    auto r = importFiles({{"station.dat", block + "a*b*c*  P1 *1*x*2*y*3\na*b*c*P2*1*x*2*y*3\n"
                                                  "a*b*c*P3*1*x*2*y*3\na*b*c*First*1*x*2*y*3\n"}},
                         target2());
    ASSERT_EQ(r.target.files().size(), 1u);
    std::vector<std::wstring> names;
    for (const auto& p : r.target.files()[0].points)
        names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Second", L"Two words  here", L"P3", L"First"}));
    EXPECT_FALSE(r.target.files()[0].hasErrors());
}

// A record short of a field ends the file; whether the point was opened first
// depends on the field that is missing.
TEST_P(StationDat, ShortRecordsEndTheFile)
{
    struct Case {
        const char* record;
        bool failsWithHeight;    // host takes heights
        bool failsWithoutHeight; // host without ISatImportTarget2
        bool pointOpened;        // the point is sent before the error
    };
    const Case cases[] = {
        {"a*b*c", true, true, false},
        {"a*b*c*P2", true, true, false},
        {"a*b*c*P2*1*x", true, true, false},
        {"a*b*c*P2*1*x*2", true, false, true},
        {"a*b*c*P2*1*x*2*y", true, false, true},
        {"a*b*c*P2*1*x*2*y*", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        auto r = importFiles({{"station.dat", ":::\nheader\n" + kRecord + c.record + "\na*b*c*P3*1*x*2*y*3\n"}}, target2());
        ASSERT_EQ(r.target.files().size(), 1u);
        const auto& file = r.target.files()[0];
        if (target2() ? c.failsWithHeight : c.failsWithoutHeight) {
            ASSERT_EQ(file.messages.size(), 1u);
            EXPECT_EQ(file.messages[0].text, L"Неизвестный формат файла");
            EXPECT_EQ(file.messages[0].line, 3);
            EXPECT_EQ(file.points.size(), c.pointOpened ? 2u : 1u);
            EXPECT_TRUE(file.progress.empty());
        } else {
            EXPECT_FALSE(file.hasErrors());
            EXPECT_EQ(file.points.size(), 3u);
            EXPECT_EQ(file.progress, std::vector<float>{100.0f});
        }
    }
}

// Where the data starts, and files that hold no station.
TEST_P(StationDat, StartOfTheData)
{
    struct Case {
        const char* name;
        std::string content;
        Trace events; // after File(station.dat)
    };
    const Trace none = {"Progress(100)", "Line(-1)", kInvalid};
    const Case cases[] = {
        {"empty file", "", {kInvalid}},
        {"no marker", "header\n:::\n" + kRecord, {kInvalid}},
        {"title in other case", "list of synonyms for long names\nEnd of List\n:::\nh\n" + kRecord, {kInvalid}},
        {"marker alone", ":::", none},
        {"marker and header", ":::\nheader\n", none},
        {"title alone", "List of Synonyms for Long Names", {"Line(1)", "Line(4)", none[0], none[1], none[2]}},
        {"block not closed", kTitle + "P1 Long\n", {"Line(1)", "Line(2)", "Line(5)", none[0], none[1], none[2]}},
        {"block line without blank", kTitle + "P1\tLong\nEnd of List\n:::\nh\n" + kRecord, {"Line(1)", kInvalid}},
        {"empty block line", kTitle + "\nEnd of List\n:::\nh\n" + kRecord, {"Line(1)", kInvalid}},
        // Only an exact "End of List" closes the block; ":::" then lacks a blank.
        {"end with trailing blank", kTitle + "P1 Long\nEnd of List \n:::\nh\n" + kRecord,
         {"Line(1)", "Line(2)", "Line(3)", kInvalid}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = importFiles({{"station.dat", c.content}}, target2());
        Trace expected = {"File(station.dat)"};
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(trace(r.target), expected);
    }
}

// Blank lines and ":::" lines between and after records are skipped, trailing
// white space included, and still move the current line on.
TEST_P(StationDat, BlankAndMarkerLinesAreSkipped)
{
    auto r = importFiles({{"station.dat", ":::\nheader\n" + kRecord + "\n:::\n   \n\t\n::: \na*b*c*P2*1*x*2*y*3\n  \t \n"}},
                         target2());
    EXPECT_EQ(trace(r.target),
              concat({{"File(station.dat)"}, point("P1", "0.9", "0.6", "150.2"),
                      {"Line(3)", "Line(4)", "Line(5)", "Line(6)", "Line(7)", "Line(8)"}, point("P2", "1", "2", "3"),
                      {"Line(9)", "Line(10)", "Progress(100)"}}));
}

// Trailing white space does not hide the marker or the title on line 0, nor
// does a CR LF file.
TEST_P(StationDat, StartLinesWithTrailingWhiteSpace)
{
    const std::string contents[] = {
        ":::  \nheader\n" + kRecord,
        ":::\t\nheader\n" + kRecord,
        "List of Synonyms for Long Names \t\nQ P1\nEnd of List\n:::\nheader\n" + kRecord,
        ":::\r\nheader\r\n" + kRecord.substr(0, kRecord.size() - 1) + "\r\n",
    };
    for (const auto& content : contents) {
        SCOPED_TRACE(content);
        auto r = importFiles({{"station.dat", content}}, target2());
        ASSERT_EQ(r.target.files().size(), 1u);
        EXPECT_FALSE(r.target.files()[0].hasErrors());
        ASSERT_EQ(r.target.files()[0].points.size(), 1u);
        EXPECT_EQ(r.target.files()[0].points[0].name, L"P1");
    }
}

TEST_P(StationDat, NumbersAreReadLeniently)
{
    auto r = importFiles({{"station.dat", ":::\nh\na*b*c*P1* 0,9 *x*abc*y*\na*b*c*P2**x*12m*y*1e400\n"}}, target2());
    EXPECT_EQ(trace(r.target), concat({{"File(station.dat)"}, point("P1", "0.9", "0", "0"), {"Line(3)"},
                                       point("P2", "0", "12", "0"), {"Line(4)", "Progress(100)"}}));
}

INSTANTIATE_TEST_SUITE_P(Heights, StationDat, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithTarget2" : "WithoutTarget2"; });

} // namespace
