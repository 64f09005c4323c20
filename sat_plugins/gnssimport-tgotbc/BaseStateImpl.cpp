#include "BaseStateImpl.h"

#include "CommonHelpers/strutils.h"

#include <boost/algorithm/string/predicate.hpp>

bool CBaseStateImpl::SectionStateChange(const std::wstring& line)
{
    if (!boost::algorithm::starts_with(line, L"[") || !boost::algorithm::ends_with(line, L"]"))
        return false;
    // Both brackets present means at least two characters.
    const std::wstring name = line.substr(1, line.size() - 2);
    if (name == L"General")
        m_pParser->SwitchToState_GeneralSection();
    else if (name == L"Stations")
        m_pParser->SwitchToState_StationsSection();
    else if (name == L"Keyed In Coordinates")
        m_pParser->SwitchToState_KeyedInCoordsSection();
    else if (name == L"Observed Coordinates")
        m_pParser->SwitchToState_ObservedCoordsSection();
    else if (name == L"GPS")
        m_pParser->SwitchToState_GpsSection();
    else
        m_pParser->SwitchToState_Initial();
    return true;
}

const std::wstring* CBaseStateImpl::ReadDataLine(const std::wstring& line)
{
    // Most lines have nothing to trim and are read as they are.
    const std::wstring* lineToParse = &line;
    const strutils::TextRange whole{line.data(), line.data() + line.size()};
    const strutils::TextRange trimmed = m_isSpace.Trimmed(whole);
    if (trimmed.begin == trimmed.end)
        return nullptr;
    if (trimmed.begin != whole.begin || trimmed.end != whole.end) {
        strutils::assignRange(m_lineToParse, trimmed.begin, trimmed.end);
        lineToParse = &m_lineToParse;
    }
    return SectionStateChange(*lineToParse) ? nullptr : lineToParse;
}
