// One section of a TGO/TBC file: what a line means depends on it.
#pragma once

#include <string>

class IParserState {
public:
    virtual ~IParserState() = default;
    virtual void ParseLine(const std::wstring& line) = 0;
};
