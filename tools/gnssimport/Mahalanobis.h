// The statistical test of a discrepancy with a full 3x3 covariance.
#pragma once

#include <array>
#include <optional>

namespace cli {

// xx, xy, xz, yy, yz, zz.
using Covariance3 = std::array<double, 6>;

// w' C^-1 w, or nothing when C is not positive definite (a correlation
// beyond +-1, a zero or negative variance, a value that is not finite).
std::optional<double> mahalanobis(const double w[3], const Covariance3& c);

// The 1 - alpha quantile of chi-squared with 3 degrees of freedom.
double chiSquared3Limit(double alpha);

} // namespace cli
