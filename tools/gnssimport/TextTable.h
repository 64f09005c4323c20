// A plain-text table: columns padded to their widest cell, numbers right-aligned.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

class TextTable {
public:
    enum Align { Left, Right };
    struct Column {
        std::string title;
        Align align;
    };

    explicit TextTable(std::vector<Column> columns);
    void add(std::vector<std::string> row);
    // Each line starts with indent; trailing blanks are dropped.
    void write(std::ostream& out, const std::string& indent = "  ") const;

private:
    std::vector<Column> m_columns;
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace cli
