// What a surveyor checks before an adjustment: each vector against the
// coordinates of its end points, and vectors measured more than once
// against each other.
#pragma once

#include "ImportResult.h"

#include <optional>
#include <string>
#include <ostream>
#include <vector>

namespace cli {

struct CheckOptions {
    double tolerance = 0.05; // metres
    double maxSigmas = 3.0;  // 0 turns the test in sigmas off
    double alpha = 0.001;    // level of the chi-squared test of a full covariance
};

struct VectorRef {
    const FileResult* file = nullptr;
    const host::ImportedVector* vector = nullptr;
};

struct Discrepancy {
    double d[3] = {0, 0, 0}; // metres, geocentric X, Y, Z
    double length = 0;
    std::optional<double> sigmas; // largest |d_i| / sigma_i
    std::optional<double> chi2;   // d' C^-1 d, when a full covariance is known; replaces sigmas
    bool flagged = false;
};

// Measured vector minus the coordinate difference of its end points.
struct Misclosure {
    VectorRef vector;
    Discrepancy misclosure;
};

// A later measurement of the same pair of points (turned round when it runs
// the other way) minus the first.
struct RepeatDifference {
    VectorRef first, other;
    bool reversed = false;
    Discrepancy difference;
};

struct NetworkCheck {
    std::vector<Misclosure> misclosures;
    std::vector<RepeatDifference> repeats;
    std::size_t unchecked = 0; // vectors without both end points with full coordinates
    // "file:line: ..." for each covariance that is not positive definite.
    std::vector<std::string> warnings;
};

NetworkCheck checkNetwork(const ImportResults& results, const CheckOptions& options);
void writeCheckReport(std::ostream& out, const NetworkCheck& check, const CheckOptions& options);

} // namespace cli
