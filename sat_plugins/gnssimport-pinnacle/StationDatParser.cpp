#include "StationDatParser.h"

namespace {

// Field positions of a station record.
const std::size_t s_name = 3;
const std::size_t s_latitude = 4;
const std::size_t s_longitude = 6;
const std::size_t s_height = 8;

} // namespace

// station.dat has one header line after the ":::" marker.
CStationDatParser::CStationDatParser(Plugin::ISatImportTarget* target) : CDatFileParser(target, 1) {}

void CStationDatParser::BeginData()
{
    m_pImportTarget2 =
        static_cast<Plugin::ISatImportTarget2*>(m_pImportTarget->QueryInterface(Plugin::IID_ISatImportTarget2));
}

void CStationDatParser::ParseRecord(const std::wstring& line)
{
    std::vector<strutils::TextRange>& fields = m_fields;
    m_text.SplitFields(line, fields);
    const wchar_t* name = StationName(fields, s_name, m_names[0]);
    const double latitude = m_text.Number(fields, s_latitude);
    const double longitude = m_text.Number(fields, s_longitude);

    // The coordinates are in radians already and go to the host unchanged.
    m_pImportTarget->SetText(Plugin::Point, name);
    m_pImportTarget->SetValue(Plugin::Latitude, latitude);
    m_pImportTarget->SetValue(Plugin::Longitude, longitude);
    if (m_pImportTarget2)
        m_pImportTarget2->SetEllipsoidalHeight(m_text.Number(fields, s_height));
}
