// Splitting of the key=value data lines of the TGO/TBC sections.
#pragma once

#include <string>
#include <vector>

struct SDataLine {
    std::wstring key;
    std::wstring value;
};

// Splits at "=" without trimming either side; a line without exactly one
// "=" throws CParseException::InvalidStrFormat.
SDataLine SplitDataLine(const std::wstring& line);

// Splits value at each character of separator, keeping empty fields. An
// empty separator throws CParseException::NoTokenSeparator.
std::vector<std::wstring> SplitFields(const std::wstring& value, const std::wstring& separator);
