// The 3×3 covariance of a vector's deltas, its test for positive
// definiteness, and its rotation into another frame.
#pragma once

#include <gnssimport/host/ImportModel.h>

#include <array>
#include <optional>

namespace cli {

// Upper triangle of a symmetric 3×3 matrix: xx, xy, xz, yy, yz, zz.
using Covariance = std::array<double, 6>;
// Row-major 3×3 rotation.
using Rotation = std::array<double, 9>;

// The full covariance when the file gives one, else the diagonal from
// σX σY σZ; nothing when a sigma is missing.
std::optional<Covariance> vectorCovariance(const host::ImportedVector& vector);
bool hasFullCovariance(const host::ImportedVector& vector);

// All elements finite and every leading minor positive.
bool isPositiveDefinite(const Covariance& c);

// R C Rᵀ.
Covariance rotate(const Rotation& r, const Covariance& c);
std::array<double, 3> rotate(const Rotation& r, const std::array<double, 3>& v);
Rotation transposed(const Rotation& r);

} // namespace cli
