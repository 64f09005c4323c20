// A plain-text table: columns padded to their widest cell, numbers right-aligned.
#pragma once

#include "OutputBuffer.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

class TextTable {
public:
    enum Align { Left, Right };
    struct Column {
        std::string title;
        Align align;
    };

    // A cell's text and the width it takes on a terminal.
    struct Cell {
        std::string_view text;
        std::size_t width;
    };

    explicit TextTable(std::vector<Column> columns);
    void add(std::vector<std::string> row);
    // Each line starts with indent; trailing blanks are dropped.
    void write(std::ostream& out, const std::string& indent = "  ") const;

    // Without keeping the rows: every row measured first, then the titles
    // and each row written in turn.
    void measure(const std::vector<Cell>& row);
    void writeTitles(OutputBuffer& out, std::string_view indent = "  ") const;
    void writeRow(OutputBuffer& out, const std::vector<Cell>& row, std::string_view indent = "  ") const;

private:
    std::vector<Column> m_columns;
    std::vector<std::size_t> m_widths;
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace cli
