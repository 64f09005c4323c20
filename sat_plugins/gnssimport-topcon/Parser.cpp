#include "Parser.h"

#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "Exceptions/Exceptions.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/replace.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/algorithm/string/trim.hpp>

#include <cmath>
#include <stdexcept>

using namespace Plugin;

CTopconParser::CTopconParser(ISatImportTarget* target) : m_pImportTarget(target)
{
    const boost::intrusive_ptr<IUnitConvertersFactory> factory(target->GetUnitConvertersFactory(), false);
    // A host without converters gets names only, never a crash.
    if (factory)
        m_pAngleConverter.reset(factory->CreateAngleConverter(AngleConverter::fromDMS), false);
}

void CTopconParser::ParseLine(const std::wstring& line)
{
    // Never empty: a line without commas is one field.
    std::vector<std::wstring> fields;
    boost::algorithm::split(fields, line, boost::algorithm::is_any_of(L","));
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
    const std::wstring text = boost::algorithm::replace_all_copy(field, L" ", L".");
    return m_pAngleConverter && m_pAngleConverter->Convert(text.c_str(), value);
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
    target2->SetEllipsoidalHeight(Utils::stringToDouble(boost::algorithm::trim_copy(fields.at(4))));
}

void CTopconParser::ParseVector(const std::vector<std::wstring>& fields)
{
    const std::wstring base = fields.size() < 2 ? std::wstring() : boost::algorithm::trim_copy(fields[1]);
    if (base.empty())
        throw CParseException::VectorOriginNotSet();
    m_pImportTarget->SetText(VectorOrigin, base.c_str());

    const std::wstring rover = fields.size() < 3 ? std::wstring() : boost::algorithm::trim_copy(fields[2]);
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
