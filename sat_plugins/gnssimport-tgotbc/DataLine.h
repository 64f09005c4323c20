// Splitting of the key=value data lines of the TGO/TBC sections.
#pragma once

#include "CommonHelpers/strutils.h"

#include <string>
#include <vector>

struct SDataLine {
    std::wstring key;
    // The value: the rest of the line after the "=", in the line itself.
    strutils::TextRange value{nullptr, nullptr};
};

// Splits line at "=" into data without trimming either side; data's value
// points into line. A line without exactly one "=" throws
// CParseException::InvalidStrFormat.
void SplitDataLine(const std::wstring& line, SDataLine& data);

// Splits the value at each character of separator into fields, keeping
// empty fields; the fields point into the line. An empty separator throws
// CParseException::NoTokenSeparator.
void SplitFields(const SDataLine& data, const std::wstring& separator, std::vector<strutils::TextRange>& fields);
