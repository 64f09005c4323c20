// Builds Spectrum Survey reports, imports them through the real plug-in and
// reads back what the target received.
#pragma once

#include "TestSupport.h"

#include <optional>
#include <string>
#include <vector>

namespace spectrum {

// One report block as lines; an empty line is left out, so a test can drop or
// replace any part of it.
struct BlockLines {
    std::vector<std::string> lines = {
        "                 VECTOR SUMMARY",
        "Baseline:   A1 - B2",
        "BASE STATION (A1)   Occupation 08:02:30 - 10:15:00",
        "Antenna [SP80, 1.512 m slant]",
        "X:   2849306.4137 m",
        "Y:   2203146.9274 m",
        "Z:   5063533.8721 m     Hgt:    187.402 m",
        "REMOTE STATION (B2)   Occupation 08:05:10 - 10:14:40",
        "Antenna [SP60, 1.700 m vertical]",
        "X:   2851112.0928 m",
        "Y:   2201987.6611 m",
        "Z:   5062695.1184 m     Hgt:    173.915 m",
        "VECTOR RESULTS",
        "dX:   1805.6791 m   Sigma: 0.0021 m",
        "dY:  -1159.2663 m   Sigma: 0.0018 m",
        "dZ:   -838.6873 m   Sigma: 0.0034 m",
        "COVARIANCE MATRIX (m^2)",
        "dX    4.41e-06",
        "dY    1.2e-06    3.24e-06",
        "dZ    2.7e-06    1.9e-06    1.156e-05",
    };
    // Index of the first line starting with prefix (throws when none).
    std::size_t find(const std::string& prefix, std::size_t from = 0) const;
    BlockLines& set(const std::string& prefix, const std::string& line, std::size_t from = 0);
    std::string text() const;
};

// Blocks joined into a report, each followed by a "Spectrum® Survey" footer
// line when footers is true.
std::string report(const std::vector<BlockLines>& blocks, bool footers = true);

struct Point {
    std::wstring name;
    std::optional<double> latitude, longitude, height;
};
struct Vector {
    std::wstring origin, target;
    std::vector<double> values; // DeltaX ... Factor as sent
};
// What one file produced, assembled from the raw event stream: latitude,
// longitude and height belong to the point opened last, values to the vector
// opened last.
struct FileResult {
    std::vector<Point> points;
    std::vector<Vector> vectors;
    std::vector<std::wstring> errors;
    std::vector<std::string> kinds; // event kinds in order, e.g. "Point", "Latitude", "Height"
};

std::vector<FileResult> results(const host::RecordingTarget& target);

// Imports the given file contents (in order) through gnssimport-spectrum.so.
std::vector<FileResult> importTexts(const std::vector<std::string>& contents,
                                    const test::ImportRun& run = test::ImportRun());
FileResult importText(const std::string& content, const test::ImportRun& run = test::ImportRun());

} // namespace spectrum
