#include "BaseStateImpl.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>

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

bool CBaseStateImpl::ReadDataLine(const std::wstring& line, std::wstring& lineToParse)
{
    lineToParse = boost::algorithm::trim_copy(line);
    if (lineToParse.empty())
        return false;
    return !SectionStateChange(lineToParse);
}
