// Small exports of each format with known content, for the end-to-end tests.
#pragma once

#include <string>

namespace fixture {

// Degrees of d°m's".
double dms(double d, double m, double s);

// Topcon report: points K1 (55°45'12.3456", 37°36'56.789", 150.5) and K2,
// vector K1→K2 and vector K1→K3, K3 not being a point.
std::string topconReport();
// LGO points table (tab separated): one point under the given header name
// of the point column, with the given name.
std::string lgoPoints(const std::string& pointColumn = "Point Id", const std::string& name = "A1");
// Spectrum Survey report with one baseline SB1→SB2.
std::string spectrumReport();
// TGO/TBC export with two stations and one vector.
std::string tgoExport();
std::string pinnacleStation();
std::string pinnacleVector();

} // namespace fixture
