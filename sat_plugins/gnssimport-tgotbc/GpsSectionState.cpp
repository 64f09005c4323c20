#include "GpsSectionState.h"

#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"
#include "DataLine.h"
#include "Exceptions/Exceptions.h"

#include <cmath>

namespace {

// Fields of a vector value: 2 start, 3 end, 4-6 dX dY dZ, 7-12 the
// covariance xx, xy, xz, yy, yz, zz (7, 10 and 12 the variances), 17 the RMS.
const std::size_t s_minFields = 18;

double Number(const std::vector<strutils::TextRange>& fields, std::size_t index)
{
    return Plugin::Utils::stringToDouble(fields[index].begin, fields[index].end);
}

} // namespace

void CGpsSectionState::ParseLine(const std::wstring& line)
{
    const std::wstring* lineToParse = ReadDataLine(line);
    if (!lineToParse)
        return;
    SplitDataLine(*lineToParse, m_data);
    if (m_data.key != L"Vector")
        return;
    SplitFields(m_data, m_pParser->GetTokenSeparator(), m_fields);
    const std::vector<strutils::TextRange>& fields = m_fields;
    if (fields.size() < s_minFields)
        throw CParseException::InvalidStrFormat();

    const double dx = Number(fields, 4);
    const double dy = Number(fields, 5);
    const double dz = Number(fields, 6);
    const double squaredSigmaX = Number(fields, 7);
    const double squaredSigmaY = Number(fields, 10);
    const double squaredSigmaZ = Number(fields, 12);
    const double rms = Number(fields, 17);
    if (squaredSigmaX < 0 || squaredSigmaY < 0 || squaredSigmaZ < 0)
        throw CParseException::InvalidStrFormat();
    if (squaredSigmaX + squaredSigmaY + squaredSigmaZ == 0)
        throw CParseException::InvalidStrFormat();
    const double factor = rms / Plugin::Utils::rootOfSum(squaredSigmaX, squaredSigmaY, squaredSigmaZ);

    strutils::assignRange(m_texts[0], fields[2].begin, fields[2].end);
    strutils::assignRange(m_texts[1], fields[3].begin, fields[3].end);
    m_pParser->AddVector(m_texts[0], m_texts[1], dx, dy, dz, std::sqrt(squaredSigmaX), std::sqrt(squaredSigmaY),
                         std::sqrt(squaredSigmaZ), rms, factor);
    m_pParser->SetVectorCovariance(
        {squaredSigmaX, Number(fields, 8), Number(fields, 9), squaredSigmaY, Number(fields, 11), squaredSigmaZ});
}
