#include "Parser.h"

#include "Patterns.h"

#include "CommonHelpers/Covariance.h"
#include "CommonHelpers/RootOfSum.h"
#include "CommonHelpers/Utils.h"
#include "Exceptions/Exceptions.h"
#include "PluginHelpers/TargetHelpers.h"

#include <boost/lexical_cast/bad_lexical_cast.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace xp = boost::xpressive;
using Spectrum::CCompiledPattern;
using Spectrum::CMatch;
using Spectrum::TextIter;
using namespace Spectrum::Patterns;

namespace {

const auto s_searchFlags = xp::regex_constants::icase;
const auto s_blockFlags = xp::regex_constants::icase | xp::regex_constants::single_line;

} // namespace

CParser::CParser(Plugin::ISatImportTarget* target)
    : m_pImportTarget(target), m_locale(), m_classes(m_locale)
{
    // Held for the file, never called: the report's angles need no converter.
    m_pAngleConverter = Plugin::Utils::hostAngleConverter(target, Plugin::AngleConverter::fromDMS);
}

const std::wstring& CParser::VectorSummary() const { return s_vectorSummary; }
const std::wstring& CParser::BaseStation() const { return s_baseStation; }
const std::wstring& CParser::RemoteStation() const { return s_remoteStation; }
const std::wstring& CParser::VectorResults() const { return s_vectorResults; }
const std::wstring& CParser::CovarianceMatrix() const { return s_covarianceMatrix; }

// Each distinct pattern is compiled once per parser, that is per file, with
// the global locale of the import, which decides how case is folded.
const CCompiledPattern& CParser::Compiled(const std::wstring& pattern)
{
    auto& slot = m_compiled[pattern];
    if (!slot)
        slot = std::make_unique<CCompiledPattern>(pattern, s_searchFlags, m_locale);
    return *slot;
}

// Runs parse on a cursor over the text of cursor, then drops what it consumed.
template <class Parse>
void CParser::OnString(std::wstring& cursor, Parse parse)
{
    CCursor rest{cursor.cbegin(), cursor.cend()};
    parse(rest);
    cursor.erase(0, static_cast<std::size_t>(rest.begin - cursor.cbegin()));
}

void CParser::ParseLines(const std::wstring& text)
{
    if (!m_block)
        m_block = std::make_unique<CCompiledPattern>(VectorSummary() + s_blockEnd, s_blockFlags, m_locale);
    bool found = false;
    const xp::regex_iterator<TextIter> end;
    for (xp::regex_iterator<TextIter> it(text.begin(), text.end(), m_block->Regex()); it != end; ++it) {
        found = true;
        ParseBlock(CCursor{(*it)[0].first, (*it)[0].second});
    }
    if (!found)
        throw CInvalidFileFormatException();
}

void CParser::ParseBlock(const std::wstring& block)
{
    ParseBlock(CCursor{block.cbegin(), block.cend()});
}

void CParser::ParseBlock(CCursor cursor)
{
    auto* target2 = static_cast<Plugin::ISatImportTarget2*>(m_pImportTarget->QueryInterface(Plugin::IID_ISatImportTarget2));

    CStation base, rover;
    ParseStation(BaseStation(), cursor, base);
    ParseStation(RemoteStation(), cursor, rover);
    SkipTitle(VectorResults(), cursor);
    std::wstring dx, dy, dz;
    ParseDXDYDZ(cursor, dx, dy, dz);
    SkipTitle(CovarianceMatrix(), cursor);
    CCovarianceText covariance;
    ParseCovariance(cursor, covariance);
    const std::wstring &sx2 = covariance.xx, &sy2 = covariance.yy, &sz2 = covariance.zz;

    using Plugin::Utils::stringToDouble;
    try {
        // Both positions are converted first: one that cannot be rejects the
        // block before anything of it is sent.
        const double bx = stringToDouble(base.x), by = stringToDouble(base.y), bz = stringToDouble(base.z);
        const double rx = stringToDouble(rover.x), ry = stringToDouble(rover.y), rz = stringToDouble(rover.z);
        const double baseLatitude = CalculateLatitude(bx, by, bz);
        const double roverLatitude = CalculateLatitude(rx, ry, rz);
        SendStation(base, Plugin::VectorOrigin, baseLatitude, CalculateLongitude(bx, by, bz), target2);
        SendStation(rover, Plugin::VectorTarget, roverLatitude, CalculateLongitude(rx, ry, rz), target2);

        m_pImportTarget->SetValue(Plugin::DeltaX, stringToDouble(dx));
        m_pImportTarget->SetValue(Plugin::DeltaY, stringToDouble(dy));
        m_pImportTarget->SetValue(Plugin::DeltaZ, stringToDouble(dz));

        const double vx = stringToDouble(sx2), vy = stringToDouble(sy2), vz = stringToDouble(sz2);
        if (vx < 0 || vy < 0 || vz < 0)
            throw CInvalidFileFormatException();
        m_pImportTarget->SetValue(Plugin::SigmaX, std::sqrt(vx));
        m_pImportTarget->SetValue(Plugin::SigmaY, std::sqrt(vy));
        m_pImportTarget->SetValue(Plugin::SigmaZ, std::sqrt(vz));
        m_pImportTarget->SetValue(Plugin::RMS, Plugin::Utils::rootOfSum(vx, vy, vz));
        m_pImportTarget->SetValue(Plugin::Factor, 1.0);
        Plugin::Utils::sendCovariance(m_pImportTarget, {vx, stringToDouble(covariance.xy), stringToDouble(covariance.xz),
                                                        vy, stringToDouble(covariance.yz), vz});
    } catch (const std::out_of_range&) {
        throw CInvalidFileFormatException();
    } catch (const boost::bad_lexical_cast&) {
        throw CInvalidFileFormatException();
    }
}

void CParser::SendStation(const CStation& station, Plugin::SatEvents role, double latitude, double longitude,
                          Plugin::ISatImportTarget2* target2)
{
    m_pImportTarget->SetText(Plugin::Point, station.name.c_str());
    m_pImportTarget->SetText(role, station.name.c_str());
    m_pImportTarget->SetValue(Plugin::Latitude, latitude);
    m_pImportTarget->SetValue(Plugin::Longitude, longitude);
    if (!station.height.empty() && target2)
        target2->SetEllipsoidalHeight(Plugin::Utils::stringToDouble(station.height));
}

void CParser::ParseStation(const std::wstring& title, CCursor& cursor, CStation& station)
{
    SearchToken(title + s_stationName, cursor, station.name);
    std::wstring unused;
    SearchToken(s_bracketField, cursor, unused);
    ParseXYZ(cursor, station.x, station.y, station.z, station.height);
}

void CParser::SkipTitle(const std::wstring& title, CCursor& cursor)
{
    if (!Compiled(title).Search(cursor.begin, cursor.end, m_match))
        throw CInvalidFileFormatException();
    cursor.begin = m_match[0].second;
}

void CParser::SearchToken(const std::wstring& pattern, std::wstring& cursor, std::wstring& value)
{
    OnString(cursor, [&](CCursor& rest) { SearchToken(pattern, rest, value); });
}

bool CParser::SearchToken2(const std::wstring& pattern, std::wstring& cursor, std::wstring& value)
{
    bool found = false;
    OnString(cursor, [&](CCursor& rest) { found = SearchToken2(pattern, rest, value); });
    return found;
}

void CParser::SearchToken(const std::wstring& pattern, CCursor& cursor, std::wstring& value)
{
    if (!SearchToken2(pattern, cursor, value))
        throw CInvalidFileFormatException();
}

bool CParser::SearchToken2(const std::wstring& pattern, CCursor& cursor, std::wstring& value)
{
    if (!Compiled(pattern).Search(cursor.begin, cursor.end, m_match))
        return false;
    value = m_match.size() > 1 && m_match[1].matched ? m_match[1].str() : std::wstring();
    cursor.begin = m_match[0].second;
    return true;
}

void CParser::ParseXYZ(std::wstring& cursor, std::wstring& x, std::wstring& y, std::wstring& z, std::wstring& height)
{
    OnString(cursor, [&](CCursor& rest) { ParseXYZ(rest, x, y, z, height); });
}

void CParser::ParseDXDYDZ(std::wstring& cursor, std::wstring& dx, std::wstring& dy, std::wstring& dz)
{
    OnString(cursor, [&](CCursor& rest) { ParseDXDYDZ(rest, dx, dy, dz); });
}

void CParser::ParseSqrSigmas(std::wstring& cursor, std::wstring& sx2, std::wstring& sy2, std::wstring& sz2)
{
    OnString(cursor, [&](CCursor& rest) { ParseSqrSigmas(rest, sx2, sy2, sz2); });
}

void CParser::ParseXYZ(CCursor& cursor, std::wstring& x, std::wstring& y, std::wstring& z, std::wstring& height)
{
    SearchToken(s_firstCoordinate, cursor, x);
    SearchToken(s_secondCoordinate, cursor, y);
    if (!Compiled(s_thirdCoordinate).Search(cursor.begin, cursor.end, m_match))
        throw CInvalidFileFormatException();
    z = m_match[1].matched ? m_match[1].str() : std::wstring();
    const TextIter zLine = m_match[0].first;
    const TextIter after = m_match[0].second;
    FindHeight(zLine, cursor.end, height);
    cursor.begin = after;
}

void CParser::ParseDXDYDZ(CCursor& cursor, std::wstring& dx, std::wstring& dy, std::wstring& dz)
{
    SearchToken(s_deltaX, cursor, dx);
    SearchToken(s_deltaY, cursor, dy);
    SearchToken(s_deltaZ, cursor, dz);
}

void CParser::ParseSqrSigmas(CCursor& cursor, std::wstring& sx2, std::wstring& sy2, std::wstring& sz2)
{
    CCovarianceText covariance;
    ParseCovariance(cursor, covariance);
    sx2 = covariance.xx;
    sy2 = covariance.yy;
    sz2 = covariance.zz;
}

// The rows are found exactly as the diagonal patterns find them; the row
// patterns only capture the values before the diagonal as well.
void CParser::ParseCovariance(CCursor& cursor, CCovarianceText& covariance)
{
    SearchToken(s_varianceX, cursor, covariance.xx);
    SearchGroups(s_covarianceRowY, cursor, {&covariance.xy, &covariance.yy});
    SearchGroups(s_covarianceRowZ, cursor, {&covariance.xz, &covariance.yz, &covariance.zz});
}

void CParser::SearchGroups(const std::wstring& pattern, CCursor& cursor, std::initializer_list<std::wstring*> values)
{
    if (!Compiled(pattern).Search(cursor.begin, cursor.end, m_match))
        throw CInvalidFileFormatException();
    std::size_t group = 1;
    for (std::wstring* value : values) {
        *value = m_match.size() > group && m_match[group].matched ? m_match[group].str() : std::wstring();
        ++group;
    }
    cursor.begin = m_match[0].second;
}
