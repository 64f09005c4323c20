// Splitting LGO exports into header and rows.
#include "Table.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Cells = std::vector<std::wstring>;

struct SplitCase {
    const char* label;
    const wchar_t* line;
    const wchar_t* separators;
    Cells cells;
};

class LineSplitting : public ::testing::TestWithParam<SplitCase> {};

// Every separator ends a cell: nothing is merged, trimmed or unquoted.
TEST_P(LineSplitting, GivesOneCellMoreThanSeparators)
{
    CTable table;
    table.BuildFromSeparatedLines({GetParam().line}, GetParam().separators);
    EXPECT_EQ(table.columnName, GetParam().cells);
    EXPECT_TRUE(table.data.empty());
}

const SplitCase kSplitCases[] = {
    {"ThreeValuesAtCommas", L"A,1.5,2", L",", {L"A", L"1.5", L"2"}},
    {"CommaLineAtTabsIsOneCell", L"A,1.5,2", L"\t", {L"A,1.5,2"}},
    {"TwoCommasGiveAnEmptyMiddle", L"A,,B", L",", {L"A", L"", L"B"}},
    {"TrailingCommaGivesEmptyLast", L"A,", L",", {L"A", L""}},
    {"EmptyLineIsOneEmptyCell", L"", L",", {L""}},
    {"QuotesAreKeptAndDoNotProtect", L"\"Point Id\",\"a,b\"", L",", {L"\"Point Id\"", L"\"a", L"b\""}},
    {"BlanksAfterCommasStay", L"Point Id, Latitude", L",", {L"Point Id", L" Latitude"}},
    {"TwoBlanksGiveAnEmptyCell", L"A  B", L" ", {L"A", L"", L"B"}},
};

INSTANTIATE_TEST_SUITE_P(Table, LineSplitting, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Table, RowsFollowTheHeaderUnpaddedAndUncut)
{
    CTable table;
    table.BuildFromTabSeparatedLines({L"Point Id\tLatitude\t", L"A\t1", L"", L"B\t2\t3\t4"});
    EXPECT_EQ(table.columnName, (Cells{L"Point Id", L"Latitude", L""})) << "trailing tab adds an empty name";
    ASSERT_EQ(table.data.size(), 3u);
    EXPECT_EQ(table.data[0], (Cells{L"A", L"1"}));
    EXPECT_EQ(table.data[1], (Cells{L""})) << "a blank line is a row";
    EXPECT_EQ(table.data[2], (Cells{L"B", L"2", L"3", L"4"}));
}

TEST(Table, HeaderOnlyGivesNoRowsAndNoLinesIsARangeError)
{
    CTable table;
    table.BuildFromCommaSeparatedLines({L"a,b"});
    EXPECT_EQ(table.columnName.size(), 2u);
    EXPECT_TRUE(table.data.empty());

    CTable empty;
    EXPECT_THROW(empty.BuildFromCommaSeparatedLines({}), std::out_of_range);
    EXPECT_TRUE(empty.columnName.empty());
}

// Underscores become blanks only after splitting, in names and cells alike.
TEST(Table, SpaceSeparatedTurnsUnderscoresIntoBlanks)
{
    CTable table;
    table.BuildFromSpaceSeparatedLines({L"Point_Id Ellip._Hgt.", L"Stn_7  55_45_12_N"});
    EXPECT_EQ(table.columnName, (Cells{L"Point Id", L"Ellip. Hgt."}));
    ASSERT_EQ(table.data.size(), 1u);
    EXPECT_EQ(table.data[0], (Cells{L"Stn 7", L"", L"55 45 12 N"}));
}

} // namespace
