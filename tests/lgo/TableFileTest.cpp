// A table read from its file a row at a time cuts every line as CTable cuts
// the whole list of lines.
#include "Table.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Latin1 : Plugin::ICharConverter {
    std::wstring convertString(const std::string& bytes) override
    {
        std::wstring text;
        for (unsigned char c : bytes)
            text += static_cast<wchar_t>(c);
        return text;
    }
};

// The file's rows as the streaming reader gives them, as strings or as
// pieces of the line.
CTable readRowByRow(const std::wstring& path, bool pieces = false)
{
    Latin1 converter;
    Plugin::FileReader reader(path, &converter);
    CTableFile file(path, reader);
    CTable table;
    table.columnName = file.ColumnNames();
    std::vector<std::wstring> row = {L"stale", L"cells"};
    std::vector<strutils::TextRange> ranges;
    while (pieces ? file.NextRow(ranges) : file.NextRow(row)) {
        if (pieces) {
            row.clear();
            for (const auto& cell : ranges)
                row.push_back(cell.str());
        }
        table.data.push_back(row);
    }
    EXPECT_EQ(table.data.size(), file.RowCount());
    return table;
}

TEST(TableFile, RowsAsTheWholeTableHasThem)
{
    test::TempDir dir;
    const std::vector<std::wstring> lines = {L"Point_Id\tLatitude,x y\t", L"A\t1,2 3", L"", L"B__7\t\t4", L"C"};
    std::string bytes;
    for (const auto& line : lines)
        bytes += test::U(line) + "\r\n";
    struct Case {
        const char* name;
        void (CTable::*build)(const std::vector<std::wstring>&);
    };
    for (const Case& c : {Case{"t.TXT", &CTable::BuildFromTabSeparatedLines},
                          Case{"t.csv", &CTable::BuildFromCommaSeparatedLines},
                          Case{"t.prn", &CTable::BuildFromSpaceSeparatedLines}}) {
        CTable expected;
        (expected.*c.build)(lines);
        const std::wstring path = dir.write(c.name, bytes);
        for (bool pieces : {false, true}) {
            const CTable actual = readRowByRow(path, pieces);
            EXPECT_EQ(actual.columnName, expected.columnName) << c.name;
            EXPECT_EQ(actual.data, expected.data) << c.name << (pieces ? " as pieces" : "");
        }
    }
}

TEST(TableFile, HeaderOnlyOtherExtensionsAndEmptyFiles)
{
    test::TempDir dir;
    const CTable headerOnly = readRowByRow(dir.write("h.csv", "a,b"));
    EXPECT_EQ(headerOnly.columnName, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_TRUE(headerOnly.data.empty());

    const CTable other = readRowByRow(dir.write("t.dat", "a,b\n1,2\n"));
    EXPECT_TRUE(other.columnName.empty());
    EXPECT_TRUE(other.data.empty());

    EXPECT_THROW(readRowByRow(dir.write("empty.txt", "")), std::out_of_range);
    EXPECT_NO_THROW(readRowByRow(dir.write("empty.dat", "")));
}

} // namespace
