#include "GpsSectionState.h"

#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "DataLine.h"
#include "Exceptions/Exceptions.h"

#include <cmath>

namespace {

// Fields of a vector value: 2 start, 3 end, 4-6 dX dY dZ, 7, 10 and 12 the
// variances of dX, dY and dZ, 17 the RMS.
const std::size_t s_minFields = 18;

double Number(const std::vector<std::wstring>& fields, std::size_t index)
{
    return Plugin::Utils::stringToDouble(fields[index]);
}

} // namespace

void CGpsSectionState::ParseLine(const std::wstring& line)
{
    std::wstring lineToParse;
    if (!ReadDataLine(line, lineToParse))
        return;
    const SDataLine data = SplitDataLine(lineToParse);
    if (data.key != L"Vector")
        return;
    const std::vector<std::wstring> fields = SplitFields(data.value, m_pParser->GetTokenSeparator());
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

    m_pParser->AddVector(fields[2], fields[3], dx, dy, dz, std::sqrt(squaredSigmaX), std::sqrt(squaredSigmaY),
                         std::sqrt(squaredSigmaZ), rms, factor);
}
