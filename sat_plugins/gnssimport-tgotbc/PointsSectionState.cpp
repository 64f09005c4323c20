#include "PointsSectionState.h"

#include "CommonHelpers/Utils.h"
#include "DataLine.h"
#include "Exceptions/Exceptions.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/trim.hpp>

namespace {

// Fields of a point value: 2 name, 3 latitude, 4 longitude, 5 ellipsoidal
// height and 8 elevation (heights on "Station" lines only).
const std::size_t s_minFields = 5;
const std::size_t s_minFieldsWithHeights = 9;

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
    std::wstring lineToParse;
    if (!ReadDataLine(line, lineToParse))
        return;
    const SDataLine data = SplitDataLine(lineToParse);
    if (data.key != L"LLCoord" && data.key != L"ObsCoord" && data.key != L"Station")
        return;
    const std::vector<std::wstring> fields = SplitFields(data.value, m_pParser->GetTokenSeparator());
    if (fields.size() < s_minFields)
        throw CParseException::InvalidStrFormat();

    // The northern and eastern letters are dropped here; "S" and "W" are
    // left for the host's converter, which makes such angles negative.
    const double latitude =
        ConvertAngle(m_pParser, boost::algorithm::trim_right_copy_if(fields[3], boost::algorithm::is_any_of(L"N")));
    const double longitude =
        ConvertAngle(m_pParser, boost::algorithm::trim_right_copy_if(fields[4], boost::algorithm::is_any_of(L"E")));
    const bool sent = m_pParser->AddPoint(fields[2], latitude, longitude);

    // Heights of a repeated station would land on the point opened last.
    if (sent && data.key == L"Station" && fields.size() >= s_minFieldsWithHeights) {
        const double elev = Plugin::Utils::stringToDouble(fields[8]);
        const double H = Plugin::Utils::stringToDouble(fields[5]);
        m_pParser->SetPointElevH(elev, H);
    }
}
