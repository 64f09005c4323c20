// Turning the rows of a points or lines table into events on the target.
#include "ImportPluginImpl.h"

#include "CommonHelpers/Covariance.h"
#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"
#include "Exceptions/Exceptions.h"
#include "PluginHelpers/TargetHelpers.h"

#include <boost/intrusive_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// Column indices of names in the header; throws CInvalidFileFormat when one
// is missing. Also returns the rightmost index, which a row must reach.
std::vector<std::size_t> findColumns(const CTableFile& table, std::initializer_list<std::wstring> names,
                                     std::size_t& rightmost)
{
    std::vector<std::size_t> columns;
    rightmost = 0;
    for (const std::wstring& name : names) {
        const int index = CImportPluginImpl::FindHeaderIndex(table.ColumnNames(), name);
        if (index == -1)
            throw Exceptions::CInvalidFileFormat();
        columns.push_back(static_cast<std::size_t>(index));
        rightmost = std::max(rightmost, columns.back());
    }
    return columns;
}

float progress(std::size_t row, std::size_t rows)
{
    return static_cast<float>(row * 100) / static_cast<float>(rows);
}

// The angle converter takes the text without blanks and without the
// hemisphere letter that marks the positive direction. text is the cell's
// copy, kept from row to row.
bool convertAngle(Plugin::IAngleConverter* converter, const strutils::TextRange& cell, wchar_t positiveLetter,
                  std::wstring& text, double& value)
{
    strutils::assignRange(text, cell.begin, cell.end);
    text.erase(std::remove(text.begin(), text.end(), L' '), text.end());
    const std::size_t letter = text.rfind(positiveLetter);
    if (letter != std::wstring::npos)
        text.erase(letter, 1);
    return Plugin::Utils::convertAngle(converter, text.c_str(), value);
}

double number(const strutils::TextRange& cell)
{
    return Plugin::Utils::stringToDouble(cell.begin, cell.end);
}

double variance(const strutils::TextRange& cell)
{
    const double value = number(cell);
    if (value < 0)
        throw Exceptions::CInvalidFileFormat();
    return value;
}

// Indices of the Q12, Q13 and Q23 columns when the header names all three;
// none otherwise. They are fixed names, not configurable identifiers.
std::vector<std::size_t> findCovarianceColumns(const CTableFile& table)
{
    std::vector<std::size_t> columns;
    for (const wchar_t* name : {L"Q12", L"Q13", L"Q23"}) {
        const int index = CImportPluginImpl::FindHeaderIndex(table.ColumnNames(), name);
        if (index == -1)
            return {};
        columns.push_back(static_cast<std::size_t>(index));
    }
    return columns;
}

} // namespace

void CImportPluginImpl::ProcessPointsTable(CTableFile& table)
{
    std::size_t rightmost = 0;
    const auto col = findColumns(table, {m_ids.PointId(), m_ids.Latitude(), m_ids.Longitude(), m_ids.EllipHgt()},
                                 rightmost);

    const auto converter = Plugin::Utils::hostAngleConverter(m_pImportTarget, Plugin::AngleConverter::fromDMS);
    auto* target2 = static_cast<Plugin::ISatImportTarget2*>(
        m_pImportTarget->QueryInterface(Plugin::IID_ISatImportTarget2));

    // One row at a time, its cells pieces of its line; only the texts
    // passed on are copied, into strings kept from row to row.
    const std::size_t rows = table.RowCount();
    std::vector<strutils::TextRange> row;
    std::wstring angle, name;
    for (std::size_t i = 0; i < rows && table.NextRow(row); ++i) {
        if (row.size() <= rightmost)
            continue;
        double latitude = 0;
        double longitude = 0;
        if (!convertAngle(converter.get(), row[col[1]], L'N', angle, latitude)
            || !convertAngle(converter.get(), row[col[2]], L'E', angle, longitude))
            throw Exceptions::CInvalidFileFormat();
        strutils::assignRange(name, row[col[0]].begin, row[col[0]].end);
        m_pImportTarget->SetText(Plugin::Point, name.c_str());
        m_pImportTarget->SetValue(Plugin::Latitude, latitude);
        m_pImportTarget->SetValue(Plugin::Longitude, longitude);
        if (target2)
            target2->SetEllipsoidalHeight(number(row[col[3]]));
        m_pImportTarget->SetProgress(progress(i + 1, rows));
    }
}

void CImportPluginImpl::ProcessLinesTable(CTableFile& table)
{
    std::size_t rightmost = 0;
    const auto col = findColumns(table,
                                 {m_ids.ReferenceId(), m_ids.RoverId(), m_ids.dX(), m_ids.dY(), m_ids.dZ(),
                                  m_ids.Q11(), m_ids.Q22(), m_ids.Q33()},
                                 rightmost);
    const auto covarianceCol = findCovarianceColumns(table);

    // One row at a time, its cells pieces of its line; only the names are
    // copied, into a string kept from row to row.
    const std::size_t rows = table.RowCount();
    std::vector<strutils::TextRange> row;
    std::wstring name;
    for (std::size_t i = 0; i < rows && table.NextRow(row); ++i) {
        if (row.size() <= rightmost)
            continue;
        strutils::assignRange(name, row[col[0]].begin, row[col[0]].end);
        m_pImportTarget->SetText(Plugin::VectorOrigin, name.c_str());
        strutils::assignRange(name, row[col[1]].begin, row[col[1]].end);
        m_pImportTarget->SetText(Plugin::VectorTarget, name.c_str());
        const double dx = number(row[col[2]]);
        const double dy = number(row[col[3]]);
        const double dz = number(row[col[4]]);
        m_pImportTarget->SetValue(Plugin::DeltaX, dx);
        m_pImportTarget->SetValue(Plugin::DeltaY, dy);
        m_pImportTarget->SetValue(Plugin::DeltaZ, dz);
        // A negative variance ends the file after this row's origin, target
        // and deltas have gone out.
        const double q11 = variance(row[col[5]]);
        const double q22 = variance(row[col[6]]);
        const double q33 = variance(row[col[7]]);
        m_pImportTarget->SetValue(Plugin::SigmaX, std::sqrt(q11));
        m_pImportTarget->SetValue(Plugin::SigmaY, std::sqrt(q22));
        m_pImportTarget->SetValue(Plugin::SigmaZ, std::sqrt(q33));
        m_pImportTarget->SetValue(Plugin::RMS, Plugin::Utils::rootOfSum(q11, q22, q33));
        m_pImportTarget->SetValue(Plugin::Factor, 1.0);
        // A row too short for a covariance column has no covariance to send.
        if (!covarianceCol.empty()
            && row.size() > *std::max_element(covarianceCol.begin(), covarianceCol.end()))
            Plugin::Utils::sendCovariance(m_pImportTarget, {q11, number(row[covarianceCol[0]]),
                                                            number(row[covarianceCol[1]]), q22,
                                                            number(row[covarianceCol[2]]), q33});
        m_pImportTarget->SetProgress(progress(i + 1, rows));
    }
}
