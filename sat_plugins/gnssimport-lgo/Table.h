// An LGO export held in memory: the header's column names and the cells of
// every following line, split at one separator chosen by the file extension.
#pragma once

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

// Builds table from the lines of the file at path with the separator of its
// extension: ".txt" tab, ".csv" comma, ".prn" blank (compared in lower
// case). Any other extension leaves the table empty.
void buildTableForFile(const std::wstring& path, const std::vector<std::wstring>& lines, CTable& table);
