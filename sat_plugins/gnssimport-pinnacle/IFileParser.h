// A parser for one kind of Pinnacle file; one object parses one file.
#pragma once

#include <string>

// The lines of one file, handed over one at a time, so that a large file is
// never held as a list of lines.
class ILineSource {
public:
    // The next line; false after the last.
    virtual bool NextLine(std::wstring& line) = 0;

protected:
    ~ILineSource() = default;
};

class IFileParser {
public:
    virtual ~IFileParser() = default;
    // Parses the whole file and sends its records to the import target.
    virtual void ParseLines(ILineSource& lines) = 0;
    // True once at least one record has been sent.
    virtual bool SomethingParsed() const = 0;
};
