#include "VectorDatParser.h"

#include "CommonHelpers/Covariance.h"
#include "CommonHelpers/RootOfSum.h"
#include "Exceptions/Exceptions.h"

#include <cmath>

namespace {

// Field positions of the first record of a baseline.
const std::size_t s_rover = 1;
const std::size_t s_base = 2;
const std::size_t s_deltaX = 5;
const std::size_t s_deltaY = 6;
const std::size_t s_deltaZ = 7;

// Positions in the packed covariance xx, xy, yy, xz, yz, zz.
const std::size_t s_varianceX = 0;
const std::size_t s_covarianceXY = 1;
const std::size_t s_varianceY = 2;
const std::size_t s_covarianceXZ = 3;
const std::size_t s_covarianceYZ = 4;
const std::size_t s_varianceZ = 5;

} // namespace

// vector.dat has no header line after the ":::" marker.
CVectorDatParser::CVectorDatParser(Plugin::ISatImportTarget* target) : CDatFileParser(target, 0) {}

void CVectorDatParser::ParseRecord(const std::wstring& line)
{
    if (m_firstLine)
        ParseFirstVectorLine(line);
    else
        ParseSecondVectorLine(line);
    m_firstLine = !m_firstLine;
}

void CVectorDatParser::ParseFirstVectorLine(const std::wstring& line)
{
    std::vector<strutils::TextRange>& fields = m_fields;
    m_text.SplitFields(line, fields);
    const wchar_t* base = StationName(fields, s_base, m_names[0]);
    const wchar_t* rover = StationName(fields, s_rover, m_names[1]);
    const double dx = m_text.Number(fields, s_deltaX);
    const double dy = m_text.Number(fields, s_deltaY);
    const double dz = m_text.Number(fields, s_deltaZ);

    m_pImportTarget->SetText(Plugin::VectorOrigin, base);
    m_pImportTarget->SetText(Plugin::VectorTarget, rover);
    m_pImportTarget->SetValue(Plugin::DeltaX, dx);
    m_pImportTarget->SetValue(Plugin::DeltaY, dy);
    m_pImportTarget->SetValue(Plugin::DeltaZ, dz);
}

void CVectorDatParser::ParseSecondVectorLine(const std::wstring& line)
{
    std::vector<strutils::TextRange>& numbers = m_fields;
    m_text.SplitBlanks(line, numbers);
    const double vx = m_text.Number(numbers, s_varianceX);
    const double vy = m_text.Number(numbers, s_varianceY);
    const double vz = m_text.Number(numbers, s_varianceZ);
    if (vx < 0 || vy < 0 || vz < 0)
        throw CParseException::InvalidFileFormat();

    m_pImportTarget->SetValue(Plugin::SigmaX, std::sqrt(vx));
    m_pImportTarget->SetValue(Plugin::SigmaY, std::sqrt(vy));
    m_pImportTarget->SetValue(Plugin::SigmaZ, std::sqrt(vz));
    m_pImportTarget->SetValue(Plugin::RMS, Plugin::Utils::rootOfSum(vx, vy, vz));
    m_pImportTarget->SetValue(Plugin::Factor, 1.0);
    Plugin::Utils::sendCovariance(m_pImportTarget, {vx, m_text.Number(numbers, s_covarianceXY),
                                                    m_text.Number(numbers, s_covarianceXZ), vy,
                                                    m_text.Number(numbers, s_covarianceYZ), vz});
}
