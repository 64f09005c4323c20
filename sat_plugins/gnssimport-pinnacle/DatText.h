// Text helpers for the "*"-separated records of station.dat and vector.dat.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace DatText {

// Removes leading and trailing white space (default locale).
std::wstring trimmed(const std::wstring& s);
// Removes trailing white space only.
std::wstring rightTrimmed(const std::wstring& s);

// Splits a record at every "*"; adjacent separators give empty fields.
std::vector<std::wstring> splitFields(const std::wstring& line);
// Splits at runs of white space after trimming the line.
std::vector<std::wstring> splitBlanks(const std::wstring& line);

// Field i trimmed; std::out_of_range when the record is too short.
std::wstring field(const std::vector<std::wstring>& fields, std::size_t i);
// Field i trimmed and read as a number (0 when it is not one).
double number(const std::vector<std::wstring>& fields, std::size_t i);

} // namespace DatText
