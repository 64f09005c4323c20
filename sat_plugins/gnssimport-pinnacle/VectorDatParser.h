// vector.dat: each baseline takes two records, the station names with the
// coordinate differences, then the covariance of those differences.
#pragma once

#include "Parser.h"

class CVectorDatParser : public CDatFileParser {
public:
    explicit CVectorDatParser(Plugin::ISatImportTarget* target);

    // Opens the vector: rover and base names, dX, dY, dZ.
    void ParseFirstVectorLine(const std::wstring& line);
    // Closes it: standard deviations, RMS and scale factor from the
    // packed covariance xx xy yy xz yz zz.
    void ParseSecondVectorLine(const std::wstring& line);

protected:
    void BeginData() override { m_firstLine = true; }
    void ParseRecord(const std::wstring& line) override;

private:
    bool m_firstLine = true;
};
