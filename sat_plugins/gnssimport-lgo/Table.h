// An LGO export held in memory: the header's column names and the cells of
// every following line, split at one separator chosen by the file extension.
#pragma once

#include "CommonHelpers/FileReader.h"
#include "CommonHelpers/strutils.h"

#include <string>
#include <vector>

class CTable {
public:
    // Splits lines[0] into columnName and every further line into a row of
    // data. Each character of separators ends a cell; separators are never
    // merged and cells are kept as written. An empty lines throws
    // std::out_of_range.
    void BuildFromSeparatedLines(const std::vector<std::wstring>& lines, const wchar_t* separators);
    void BuildFromTabSeparatedLines(const std::vector<std::wstring>& lines);
    void BuildFromCommaSeparatedLines(const std::vector<std::wstring>& lines);
    // Blank-separated; underscores become blanks after splitting, so
    // "Point_Id" is the column "Point Id".
    void BuildFromSpaceSeparatedLines(const std::vector<std::wstring>& lines);

    std::vector<std::wstring> columnName;
    std::vector<std::vector<std::wstring>> data;
};

// The table of a file read one row at a time, cut as CTable cuts lines with
// the separator of the file's extension: ".txt" tab, ".csv" comma, ".prn"
// blank (compared in lower case). A large export is never held whole.
class CTableFile {
public:
    // Reads the header from reader, which holds the file at path; throws
    // std::out_of_range for a file without lines. Any other extension gives
    // no column names and no rows.
    CTableFile(const std::wstring& path, Plugin::FileReader& reader);

    const std::vector<std::wstring>& ColumnNames() const { return m_columnName; }
    // The lines after the header, blank lines included.
    std::size_t RowCount() const { return m_rows; }
    // Splits the next row into row, reusing its strings; false after the last.
    bool NextRow(std::vector<std::wstring>& row);
    // The same into pieces of the row's line, valid until the next row:
    // nothing is copied.
    bool NextRow(std::vector<strutils::TextRange>& row);

private:
    Plugin::FileReader& m_reader;
    const wchar_t* m_separators = nullptr; // none for an unknown extension
    std::wstring m_separatorText;
    bool m_underscoresToBlanks = false;
    std::vector<std::wstring> m_columnName;
    std::size_t m_rows = 0;
    std::wstring m_line;
};
