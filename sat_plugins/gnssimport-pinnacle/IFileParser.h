// A parser for one kind of Pinnacle file; one object parses one file.
#pragma once

#include <string>
#include <vector>

class IFileParser {
public:
    virtual ~IFileParser() = default;

    // Parses the whole file and sends its records to the import target.
    virtual void ParseLines(const std::vector<std::wstring>& lines) = 0;
    // True once at least one record has been sent.
    virtual bool SomethingParsed() const = 0;
};
