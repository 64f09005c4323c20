// Text helpers for the "*"-separated records of station.dat and vector.dat.
// White space is that of the global locale when a file's parsing starts; its
// ctype facet is looked up once, not for every character.
#pragma once

#include "CommonHelpers/LocaleSpace.h"
#include "CommonHelpers/strutils.h"

#include <cstddef>
#include <locale>
#include <string>
#include <vector>

class CDatText {
public:
    CDatText();

    // s without leading and trailing white space, in out.
    const std::wstring& Trimmed(const std::wstring& s, std::wstring& out) const;
    // True when s, without trailing white space, equals text.
    bool RightTrimmedEquals(const std::wstring& s, const wchar_t* text) const;
    // The length of s without its trailing white space.
    std::size_t RightTrimmedLength(const std::wstring& s) const;

    // The fields below are pieces of the line, valid while it is.

    // Splits a record at every "*"; adjacent separators give empty fields.
    void SplitFields(const std::wstring& line, std::vector<strutils::TextRange>& fields) const;
    // Splits at runs of white space after trimming the line (an empty line
    // gives one empty field).
    void SplitBlanks(const std::wstring& line, std::vector<strutils::TextRange>& fields) const;

    // Field i trimmed, in out; std::out_of_range when the record is too short.
    const std::wstring& Field(const std::vector<strutils::TextRange>& fields, std::size_t i, std::wstring& out) const;
    // Field i trimmed and read as a number (0 when it is not one).
    double Number(const std::vector<strutils::TextRange>& fields, std::size_t i) const;

private:
    strutils::TextRange Trimmed(strutils::TextRange field) const { return m_isSpace.Trimmed(field); }
    bool IsSpace(wchar_t c) const { return m_isSpace(c); }

    std::locale m_locale;
    strutils::LocaleSpace m_isSpace;
};
