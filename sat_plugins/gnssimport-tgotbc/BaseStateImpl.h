// Behaviour shared by every section state: trimming, blank lines and
// section headers.
#pragma once

#include "IParser.h"
#include "IParserState.h"

#include <string>

class CBaseStateImpl : public IParserState {
public:
    explicit CBaseStateImpl(IParser* pParser) : m_pParser(pParser) {}

    // True when line is a "[name]" header; the parser then is in the
    // state of that section (the initial state for an unknown name).
    bool SectionStateChange(const std::wstring& line);

protected:
    // Trims line into lineToParse; false when nothing is left to parse
    // (a blank line or a section header, which has switched the state).
    bool ReadDataLine(const std::wstring& line, std::wstring& lineToParse);

    IParser* m_pParser;
};
