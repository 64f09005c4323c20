// Reads one TGO/TBC file line by line; the current section state decides
// what each line means and calls back into the parser to send results.
#pragma once

#include "IParser.h"
#include "IParserState.h"
#include "PluginHelpers/RefCounted.h"
#include <gnssimport/ImportTarget.h>

#include <boost/intrusive_ptr.hpp>
#include <boost/shared_ptr.hpp>

#include <set>
#include <string>

class CParser : public IParser {
public:
    explicit CParser(Plugin::ISatImportTarget* pImportTarget);
    CParser(const CParser&) = delete;
    CParser& operator=(const CParser&) = delete;

    // Throws CParseException for a malformed data line.
    void ParseLine(const std::wstring& line);
    bool SomethingParsed() const { return m_somethingParsed; }

    void SwitchToState_GeneralSection() override;
    void SwitchToState_StationsSection() override;
    void SwitchToState_KeyedInCoordsSection() override;
    void SwitchToState_ObservedCoordsSection() override;
    void SwitchToState_GpsSection() override;
    void SwitchToState_Initial() override;

    bool ConvertAngleFromDXX(const std::wstring& s, double& result) override;
    bool AddPoint(const std::wstring& pointName, double latitude, double longitude) override;
    void SetPointElevH(double elev, double H) override;
    void AddVector(const std::wstring& vectorOrigin, const std::wstring& vectorTarget, double dx, double dy, double dz,
                   double sigmaX, double sigmaY, double sigmaZ, double rms, double factor) override;
    void SetVectorCovariance(const Plugin::Utils::Covariance& covariance) override;
    void SetTokenSeparator(const std::wstring& tokenSeparator) override;
    std::wstring GetTokenSeparator() override;

private:
    std::wstring GeneratePointName();
    void NoteVectorEnd(const std::wstring& name);
    // name itself, or a generated name, stored in generated, with a warning
    // when it is empty.
    const std::wstring& NameOrGenerated(const std::wstring& name, std::wstring& generated);

    Plugin::ISatImportTarget* m_pImportTarget;
    boost::intrusive_ptr<Plugin::IAngleConverter> m_pAngleConverter;
    bool m_somethingParsed = false;
    boost::shared_ptr<IParserState> m_pState;
    std::wstring m_tokenSeparator;
    std::set<std::wstring> m_addedPoints;
    static const std::wstring s_generatedPrefix; // of every generated name
    // The names used as vector ends so far that start like a generated one.
    std::set<std::wstring> m_vectorEnds;
    int m_nextPointIndex = 0;
    std::wstring m_generatedOrigin; // generated names, kept so that none is copied
    std::wstring m_generatedTarget;
};
