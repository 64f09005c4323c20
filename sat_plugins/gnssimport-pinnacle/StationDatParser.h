// station.dat: one station per record, sent as a point with its geodetic
// latitude, longitude and (when the host takes it) ellipsoidal height.
#pragma once

#include "Parser.h"

class CStationDatParser : public CDatFileParser {
public:
    explicit CStationDatParser(Plugin::ISatImportTarget* target);

protected:
    void BeginData() override;
    void ParseRecord(const std::wstring& line) override;

private:
    Plugin::ISatImportTarget2* m_pImportTarget2 = nullptr;
};
