#include "Mahalanobis.h"

#include <Eigen/Cholesky>
#include <Eigen/Core>
#include <boost/math/distributions/chi_squared.hpp>

#include <cmath>

namespace cli {

std::optional<double> mahalanobis(const double w[3], const Covariance3& c)
{
    for (double value : c)
        if (!std::isfinite(value))
            return std::nullopt;
    Eigen::Matrix3d matrix;
    matrix << c[0], c[1], c[2], c[1], c[3], c[4], c[2], c[4], c[5];
    const Eigen::LLT<Eigen::Matrix3d> llt(matrix);
    // LLT succeeds on some semi-definite matrices: a zero pivot is no test.
    if (llt.info() != Eigen::Success || !(llt.matrixLLT().diagonal().minCoeff() > 0))
        return std::nullopt;
    const Eigen::Vector3d v(w[0], w[1], w[2]);
    const double value = v.dot(llt.solve(v));
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

double chiSquared3Limit(double alpha)
{
    return boost::math::quantile(boost::math::complement(boost::math::chi_squared(3.0), alpha));
}

} // namespace cli
