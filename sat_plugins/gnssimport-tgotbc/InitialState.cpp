#include "InitialState.h"

void CInitialState::ParseLine(const std::wstring& line)
{
    std::wstring lineToParse;
    ReadDataLine(line, lineToParse); // any other line is skipped silently
}
