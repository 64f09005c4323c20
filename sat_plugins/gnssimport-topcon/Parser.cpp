#include "Parser.h"

#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"
#include "Exceptions/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace Plugin;

CTopconParser::CTopconParser(ISatImportTarget* target)
    : m_pImportTarget(target), m_ctype(&std::use_facet<std::ctype<wchar_t>>(m_locale))
{
    const boost::intrusive_ptr<IUnitConvertersFactory> factory(target->GetUnitConvertersFactory(), false);
    // A host without converters gets names only, never a crash.
    if (factory)
        m_pAngleConverter.reset(factory->CreateAngleConverter(AngleConverter::fromDMS), false);
}

void CTopconParser::ParseLine(const std::wstring& line)
{
    // Never empty: a line without commas is one field. The list is kept from
    // line to line, so that its strings are allocated once.
    std::vector<std::wstring>& fields = m_fields;
    strutils::splitInto(line, L',', fields);
    try {
        if (fields[0] == L"VPP") {
            ParseVector(fields);
            m_somethingParsed = true;
        } else if (fields[0] == L"P") {
            ParsePoint(fields);
            m_somethingParsed = true;
        }
    } catch (const std::out_of_range&) {
        // The record lacks a field it needs: it ends with what was sent.
    }
}

bool CTopconParser::ConvertAngle(const std::wstring& field, double& value)
{
    // "55 45 12.3456" reaches the converter as "55.45.12.3456".
    m_angle.assign(field);
    std::replace(m_angle.begin(), m_angle.end(), L' ', L'.');
    return m_pAngleConverter && m_pAngleConverter->Convert(m_angle.c_str(), value);
}

void CTopconParser::ParsePoint(const std::vector<std::wstring>& fields)
{
    m_pImportTarget->SetText(Point, fields.at(1).c_str());

    double value = 0;
    if (!ConvertAngle(fields.at(2), value))
        return;
    m_pImportTarget->SetValue(Latitude, value);
    if (!ConvertAngle(fields.at(3), value))
        return;
    m_pImportTarget->SetValue(Longitude, value);

    auto* target2 = static_cast<ISatImportTarget2*>(m_pImportTarget->QueryInterface(IID_ISatImportTarget2));
    if (!target2)
        return;
    target2->SetEllipsoidalHeight(Utils::stringToDouble(Trimmed(fields.at(4), m_text)));
}

const std::wstring& CTopconParser::Trimmed(const std::wstring& field, std::wstring& out) const
{
    // Trimmed in a kept string rather than copied: no allocation per record.
    out.assign(field);
    strutils::trimInPlace(out, *m_ctype);
    return out;
}

void CTopconParser::ParseVector(const std::vector<std::wstring>& fields)
{
    static const std::wstring s_missing;
    const std::wstring& base = Trimmed(fields.size() < 2 ? s_missing : fields[1], m_text);
    if (base.empty())
        throw CParseException::VectorOriginNotSet();
    m_pImportTarget->SetText(VectorOrigin, base.c_str());

    const std::wstring& rover = Trimmed(fields.size() < 3 ? s_missing : fields[2], m_text); // base is sent
    if (rover.empty())
        throw CParseException::VectorTargetNotSet();
    m_pImportTarget->SetText(VectorTarget, rover.c_str());

    m_pImportTarget->SetValue(DeltaX, Utils::stringToDouble(fields.at(3)));
    m_pImportTarget->SetValue(DeltaY, Utils::stringToDouble(fields.at(4)));
    m_pImportTarget->SetValue(DeltaZ, Utils::stringToDouble(fields.at(5)));

    const double sigmaX = Utils::stringToDouble(fields.at(6));
    const double sigmaY = Utils::stringToDouble(fields.at(7));
    const double sigmaZ = Utils::stringToDouble(fields.at(8));
    m_pImportTarget->SetValue(SigmaX, sigmaX);
    m_pImportTarget->SetValue(SigmaY, sigmaY);
    m_pImportTarget->SetValue(SigmaZ, sigmaZ);
    m_pImportTarget->SetValue(RMS, Utils::rootOfSumOfSquares(sigmaX, sigmaY, sigmaZ));
    m_pImportTarget->SetValue(Factor, 1.0);
}
