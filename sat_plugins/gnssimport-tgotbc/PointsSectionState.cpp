#include "PointsSectionState.h"

#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"
#include "DataLine.h"
#include "Exceptions/Exceptions.h"

namespace {

// Fields of a point value: 2 name, 3 latitude, 4 longitude, 5 ellipsoidal
// height and 8 elevation (heights on "Station" lines only).
const std::size_t s_minFields = 5;
const std::size_t s_minFieldsWithHeights = 9;

// field without the letters letter at its end, in text.
const std::wstring& WithoutTrailing(const strutils::TextRange& field, wchar_t letter, std::wstring& text)
{
    const wchar_t* end = field.end;
    while (end != field.begin && end[-1] == letter)
        --end;
    strutils::assignRange(text, field.begin, end);
    return text;
}

double Number(const strutils::TextRange& field)
{
    return Plugin::Utils::stringToDouble(field.begin, field.end);
}

double ConvertAngle(IParser* pParser, const std::wstring& text)
{
    double angle = 0;
    if (!pParser->ConvertAngleFromDXX(text, angle))
        throw CParseException::InvalidStrFormat();
    return angle;
}

} // namespace

void CPointsSectionState::ParseLine(const std::wstring& line)
{
    const std::wstring* lineToParse = ReadDataLine(line);
    if (!lineToParse)
        return;
    SplitDataLine(*lineToParse, m_data);
    const std::wstring& key = m_data.key;
    if (key != L"LLCoord" && key != L"ObsCoord" && key != L"Station")
        return;
    SplitFields(m_data, m_pParser->GetTokenSeparator(), m_fields);
    const std::vector<strutils::TextRange>& fields = m_fields;
    if (fields.size() < s_minFields)
        throw CParseException::InvalidStrFormat();

    // The northern and eastern letters are dropped here; "S" and "W" are
    // left for the host's converter, which makes such angles negative.
    const double latitude = ConvertAngle(m_pParser, WithoutTrailing(fields[3], L'N', m_texts[0]));
    const double longitude = ConvertAngle(m_pParser, WithoutTrailing(fields[4], L'E', m_texts[1]));
    strutils::assignRange(m_texts[2], fields[2].begin, fields[2].end);
    const bool sent = m_pParser->AddPoint(m_texts[2], latitude, longitude);

    // Heights of a repeated station would land on the point opened last.
    if (sent && key == L"Station" && fields.size() >= s_minFieldsWithHeights) {
        const double elev = Number(fields[8]);
        const double H = Number(fields[5]);
        m_pParser->SetPointElevH(elev, H);
    }
}
