#include "Parser.h"

#include "CommonHelpers/strutils.h"
#include "PluginHelpers/TargetHelpers.h"
#include "GeneralSectionState.h"
#include "GpsSectionState.h"
#include "InitialState.h"
#include "ParserMessages.h"
#include "PointsSectionState.h"

#include <boost/make_shared.hpp>

const std::wstring CParser::s_generatedPrefix = L"point_";

CParser::CParser(Plugin::ISatImportTarget* pImportTarget)
    : m_pImportTarget(pImportTarget), m_pState(boost::make_shared<CInitialState>(this))
{
    m_pAngleConverter = Plugin::Utils::hostAngleConverter(m_pImportTarget, Plugin::AngleConverter::fromDXX);
}

void CParser::ParseLine(const std::wstring& line)
{
    // The state may switch the parser to another one while it runs.
    const boost::shared_ptr<IParserState> state = m_pState;
    state->ParseLine(line);
}

void CParser::SwitchToState_GeneralSection() { m_pState = boost::make_shared<CGeneralSectionState>(this); }
void CParser::SwitchToState_StationsSection() { m_pState = boost::make_shared<CPointsSectionState>(this); }
void CParser::SwitchToState_KeyedInCoordsSection() { m_pState = boost::make_shared<CPointsSectionState>(this); }
void CParser::SwitchToState_ObservedCoordsSection() { m_pState = boost::make_shared<CPointsSectionState>(this); }
void CParser::SwitchToState_GpsSection() { m_pState = boost::make_shared<CGpsSectionState>(this); }
void CParser::SwitchToState_Initial() { m_pState = boost::make_shared<CInitialState>(this); }

bool CParser::ConvertAngleFromDXX(const std::wstring& s, double& result)
{
    // A host without an angle converter gets every point line rejected.
    return Plugin::Utils::convertAngle(m_pAngleConverter.get(), s.c_str(), result);
}

bool CParser::AddPoint(const std::wstring& pointName, double latitude, double longitude)
{
    const std::wstring& name = NameOrGenerated(pointName, m_generatedOrigin);
    m_somethingParsed = true;
    if (!m_addedPoints.insert(name).second)
        return false;
    m_pImportTarget->SetText(Plugin::Point, name.c_str());
    m_pImportTarget->SetValue(Plugin::Latitude, latitude);
    m_pImportTarget->SetValue(Plugin::Longitude, longitude);
    return true;
}

void CParser::SetPointElevH(double elev, double H)
{
    void* queried = m_pImportTarget->QueryInterface(Plugin::IID_ISatImportTarget2);
    auto* target2 = static_cast<Plugin::ISatImportTarget2*>(queried);
    if (!target2)
        return;
    target2->SetElevation(elev);
    target2->SetEllipsoidalHeight(H);
}

void CParser::AddVector(const std::wstring& vectorOrigin, const std::wstring& vectorTarget, double dx, double dy,
                        double dz, double sigmaX, double sigmaY, double sigmaZ, double rms, double factor)
{
    // Both given names are known before either end gets a generated one.
    NoteVectorEnd(vectorOrigin);
    NoteVectorEnd(vectorTarget);
    const std::wstring& origin = NameOrGenerated(vectorOrigin, m_generatedOrigin);
    const std::wstring& target = NameOrGenerated(vectorTarget, m_generatedTarget);

    m_pImportTarget->SetText(Plugin::VectorOrigin, origin.c_str());
    m_pImportTarget->SetText(Plugin::VectorTarget, target.c_str());
    m_pImportTarget->SetValue(Plugin::DeltaX, dx);
    m_pImportTarget->SetValue(Plugin::DeltaY, dy);
    m_pImportTarget->SetValue(Plugin::DeltaZ, dz);
    m_pImportTarget->SetValue(Plugin::SigmaX, sigmaX);
    m_pImportTarget->SetValue(Plugin::SigmaY, sigmaY);
    m_pImportTarget->SetValue(Plugin::SigmaZ, sigmaZ);
    m_pImportTarget->SetValue(Plugin::RMS, rms);
    m_pImportTarget->SetValue(Plugin::Factor, factor);
    m_somethingParsed = true;
}

void CParser::SetVectorCovariance(const Plugin::Utils::Covariance& covariance)
{
    Plugin::Utils::sendCovariance(m_pImportTarget, covariance);
}

void CParser::SetTokenSeparator(const std::wstring& tokenSeparator) { m_tokenSeparator = tokenSeparator; }

std::wstring CParser::GetTokenSeparator() { return m_tokenSeparator; }

std::wstring CParser::GeneratePointName()
{
    // A generated name must not stand for a point or vector end that the
    // file has already named itself.
    std::wstring name;
    do {
        name = s_generatedPrefix + std::to_wstring(m_nextPointIndex++);
    } while (m_addedPoints.count(name) || m_vectorEnds.count(name));
    return name;
}

void CParser::NoteVectorEnd(const std::wstring& name)
{
    // Only a name that a generated one could equal needs remembering;
    // keeping all of them would cost a set lookup per vector end.
    if (name.compare(0, s_generatedPrefix.size(), s_generatedPrefix) == 0)
        m_vectorEnds.insert(name);
}

const std::wstring& CParser::NameOrGenerated(const std::wstring& name, std::wstring& generated)
{
    if (!name.empty())
        return name;
    generated = GeneratePointName();
    m_pImportTarget->ReportWarning(strutils::format1(str::IDS_EMPTY_POINT_NAME, generated).c_str());
    return generated;
}
