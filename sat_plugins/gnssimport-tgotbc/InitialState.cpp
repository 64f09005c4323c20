#include "InitialState.h"

void CInitialState::ParseLine(const std::wstring& line)
{
    ReadDataLine(line); // any other line is skipped silently
}
