#include "GeneralSectionState.h"

#include "DataLine.h"

void CGeneralSectionState::ParseLine(const std::wstring& line)
{
    const std::wstring* lineToParse = ReadDataLine(line);
    if (!lineToParse)
        return;
    SplitDataLine(*lineToParse, m_data);
    if (m_data.key == L"Separator")
        m_pParser->SetTokenSeparator(m_data.value.str());
}
