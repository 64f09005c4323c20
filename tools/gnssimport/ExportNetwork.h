// The network an adjustment engine is given: the stations of all files
// merged by name, each with a start position, and the vectors fit to
// adjust, with their covariance. Bad input is left out with a warning.
#pragma once

#include "Covariance.h"
#include "Geodesy.h"
#include "ImportResult.h"

#include <array>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

struct ExportOptions {
    std::vector<std::string> fix; // station names (UTF-8) to constrain
    std::string frame = "GDA2020";
    std::string epoch = "01.01.2020";
    bool scaleByFactor = false; // covariance scaled by Factor²
};

// How station names must look in the target format.
enum class NameRule {
    XmlText, // any text without control characters
    Token,   // also no leading, trailing, doubled or non-space blanks
};

struct ExportStation {
    std::wstring name; // as the files give it
    std::string id;    // as written, UTF-8
    Geocentric position;
    Geodetic geodetic;
    bool fixed = false;
    bool computed = false; // position reached through vectors
};

struct ExportVector {
    std::size_t from = 0, to = 0; // indexes into the stations
    std::array<double, 3> delta{}; // geocentric, metres
    Covariance covariance{};       // m²
    double scale = 1;              // Factor² with --scale-by-factor, else 1
};

struct ExportNetwork {
    std::vector<ExportStation> stations;
    std::vector<ExportVector> vectors;
    std::size_t origin = 0; // the first constrained station
};

// An export with nothing left to adjust, or a constraint that names no station.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws ExportError when no station or no vector is left.
ExportNetwork buildExportNetwork(const ImportResults& results, const ExportOptions& options, NameRule rule,
                                 std::ostream& warnings);

} // namespace cli
