// Square roots of sums of three values that stay finite where only the
// intermediate sum would overflow (variances or sigmas near the top of the
// double range); results of ordinary values are those of the plain formula.
#pragma once

#include <cmath>

namespace Plugin {
namespace Utils {

// sqrt(a + b + c) for non-negative finite a, b, c.
inline double rootOfSum(double a, double b, double c)
{
    const double sum = a + b + c;
    if (std::isfinite(sum))
        return std::sqrt(sum);
    return 2.0 * std::sqrt(a / 4 + b / 4 + c / 4);
}

// sqrt(a * a + b * b + c * c) for finite a, b, c; infinite only when the
// result itself is beyond the double range.
inline double rootOfSumOfSquares(double a, double b, double c)
{
    const double root = std::sqrt(a * a + b * b + c * c);
    return std::isfinite(root) ? root : std::hypot(a, b, c);
}

} // namespace Utils
} // namespace Plugin
