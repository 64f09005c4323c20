#include "GeneralSectionState.h"

#include "DataLine.h"

void CGeneralSectionState::ParseLine(const std::wstring& line)
{
    std::wstring lineToParse;
    if (!ReadDataLine(line, lineToParse))
        return;
    const SDataLine data = SplitDataLine(lineToParse);
    if (data.key == L"Separator")
        m_pParser->SetTokenSeparator(data.value);
}
