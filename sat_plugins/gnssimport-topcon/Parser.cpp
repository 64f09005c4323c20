#include "Parser.h"

#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"
#include "Exceptions/Exceptions.h"
#include "PluginHelpers/TargetHelpers.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <stdexcept>

using namespace Plugin;

const std::wstring CTopconParser::s_separator = L",";

CTopconParser::CTopconParser(ISatImportTarget* target)
    : m_pImportTarget(target), m_isSpace(m_locale)
{
    m_pAngleConverter = Utils::hostAngleConverter(target, AngleConverter::fromDMS);
}

namespace {

// The keywords are a few characters long: compared in place, without a
// library call for every line.
bool Is(const strutils::TextRange& field, const wchar_t* keyword, std::size_t length)
{
    return static_cast<std::size_t>(field.end - field.begin) == length
           && std::equal(field.begin, field.end, keyword);
}

double Number(const strutils::TextRange& field)
{
    return Utils::stringToDouble(field.begin, field.end);
}

} // namespace

void CTopconParser::ParseLine(std::wstring& line)
{
    // Never empty: a line without commas is one field. The fields are
    // pieces of the line, and so are the names sent on (see SendText).
    std::vector<strutils::TextRange>& fields = m_fields;
    strutils::splitInto(line.data(), line.data() + line.size(), s_separator, fields);
    try {
        if (Is(fields[0], L"VPP", 3)) {
            ParseVector(fields);
            m_somethingParsed = true;
        } else if (Is(fields[0], L"P", 1)) {
            ParsePoint(fields);
            m_somethingParsed = true;
        }
    } catch (const std::out_of_range&) {
        // The record lacks a field it needs: it ends with what was sent.
    }
}

bool CTopconParser::ConvertAngle(const strutils::TextRange& field, double& value)
{
    // "55 45 12.3456" reaches the converter as "55.45.12.3456".
    m_angle.assign(field.begin, field.end);
    std::replace(m_angle.begin(), m_angle.end(), L' ', L'.');
    return Utils::convertAngle(m_pAngleConverter.get(), m_angle.c_str(), value);
}

void CTopconParser::ParsePoint(const std::vector<strutils::TextRange>& fields)
{
    SendText(Point, fields.at(1));

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
    target2->SetEllipsoidalHeight(Number(Trimmed(fields.at(4))));
}

strutils::TextRange CTopconParser::Trimmed(strutils::TextRange field) const
{
    return m_isSpace.Trimmed(field);
}

strutils::TextRange CTopconParser::Name(const std::vector<strutils::TextRange>& fields, std::size_t i) const
{
    // A missing field is an empty name.
    return i < fields.size() ? Trimmed(fields[i]) : strutils::TextRange{nullptr, nullptr};
}

void CTopconParser::SendText(SatEvents event, const strutils::TextRange& text)
{
    // The character after the text (a comma, a blank trimmed off, or the
    // line's own terminating NUL) is made NUL for the call and put back:
    // the host reads the text during the call, and nothing is copied.
    auto* end = const_cast<wchar_t*>(text.end);
    const wchar_t saved = *end;
    *end = L'\0';
    m_pImportTarget->SetText(event, text.begin);
    *end = saved;
}

void CTopconParser::ParseVector(const std::vector<strutils::TextRange>& fields)
{
    const strutils::TextRange origin = Name(fields, 1);
    if (origin.begin == origin.end)
        throw CParseException::VectorOriginNotSet();
    SendText(VectorOrigin, origin);

    const strutils::TextRange target = Name(fields, 2);
    if (target.begin == target.end)
        throw CParseException::VectorTargetNotSet();
    SendText(VectorTarget, target);

    m_pImportTarget->SetValue(DeltaX, Number(fields.at(3)));
    m_pImportTarget->SetValue(DeltaY, Number(fields.at(4)));
    m_pImportTarget->SetValue(DeltaZ, Number(fields.at(5)));

    const double sigmaX = Number(fields.at(6));
    const double sigmaY = Number(fields.at(7));
    const double sigmaZ = Number(fields.at(8));
    m_pImportTarget->SetValue(SigmaX, sigmaX);
    m_pImportTarget->SetValue(SigmaY, sigmaY);
    m_pImportTarget->SetValue(SigmaZ, sigmaZ);
    m_pImportTarget->SetValue(RMS, Utils::rootOfSumOfSquares(sigmaX, sigmaY, sigmaZ));
    m_pImportTarget->SetValue(Factor, 1.0);
}
