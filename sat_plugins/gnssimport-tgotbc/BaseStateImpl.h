// Behaviour shared by every section state: trimming, blank lines and
// section headers.
#pragma once

#include "CommonHelpers/LocaleSpace.h"
#include "DataLine.h"
#include "IParser.h"
#include "IParserState.h"

#include <locale>
#include <string>
#include <vector>

class CBaseStateImpl : public IParserState {
public:
    explicit CBaseStateImpl(IParser* pParser) : m_pParser(pParser), m_isSpace(m_locale) {}

    // True when line is a "[name]" header; the parser then is in the
    // state of that section (the initial state for an unknown name).
    bool SectionStateChange(const std::wstring& line);

protected:
    // The line without leading and trailing white space; null when nothing
    // is left to parse (a blank line or a section header, which has
    // switched the state). Valid until the next line.
    const std::wstring* ReadDataLine(const std::wstring& line);

    IParser* m_pParser;
    // Storage the states parse each line in, kept from line to line so that
    // it is allocated once; nothing in it outlives the line.
    SDataLine m_data;
    std::vector<strutils::TextRange> m_fields;
    std::wstring m_texts[3]; // fields passed on as strings

private:
    std::wstring m_lineToParse;
    // White space is that of the global locale when the section starts.
    std::locale m_locale;
    strutils::LocaleSpace m_isSpace;
};
