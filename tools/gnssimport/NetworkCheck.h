// What a surveyor checks before an adjustment: each vector against the
// coordinates of its end points, and vectors measured more than once
// against each other.
#pragma once

#include "ImportResult.h"

#include <optional>
#include <ostream>
#include <vector>

namespace cli {

struct CheckOptions {
    double tolerance = 0.05; // metres
    double maxSigmas = 3.0;  // 0 turns the test in sigmas off
};

struct VectorRef {
    const FileResult* file = nullptr;
    const host::ImportedVector* vector = nullptr;
};

struct Discrepancy {
    double d[3] = {0, 0, 0}; // metres, geocentric X, Y, Z
    double length = 0;
    std::optional<double> sigmas; // largest |d_i| / sigma_i
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
};

NetworkCheck checkNetwork(const ImportResults& results, const CheckOptions& options);
void writeCheckReport(std::ostream& out, const NetworkCheck& check, const CheckOptions& options);

} // namespace cli
