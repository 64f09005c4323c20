#include "Covariance.h"

#include <cmath>

namespace cli {

namespace {

double element(const Covariance& c, int i, int j)
{
    static const int index[3][3] = {{0, 1, 2}, {1, 3, 4}, {2, 4, 5}};
    return c[index[i][j]];
}

} // namespace

std::optional<Covariance> vectorCovariance(const host::ImportedVector& vector)
{
    if (vector.covariance)
        return *vector.covariance;
    const auto sx = vector.sigmaX(), sy = vector.sigmaY(), sz = vector.sigmaZ();
    if (!sx || !sy || !sz)
        return std::nullopt;
    return Covariance{*sx * *sx, 0, 0, *sy * *sy, 0, *sz * *sz};
}

bool hasFullCovariance(const host::ImportedVector& vector) { return vector.covariance.has_value(); }

bool isPositiveDefinite(const Covariance& c)
{
    for (double v : c)
        if (!std::isfinite(v))
            return false;
    const auto [xx, xy, xz, yy, yz, zz] = c;
    const double minor2 = xx * yy - xy * xy;
    const double det = xx * (yy * zz - yz * yz) - xy * (xy * zz - yz * xz) + xz * (xy * yz - yy * xz);
    return xx > 0 && minor2 > 0 && det > 0 && std::isfinite(det);
}

Covariance rotate(const Rotation& r, const Covariance& c)
{
    // (R C)ᵢₖ then (R C Rᵀ)ᵢⱼ, kept for the upper triangle.
    double rc[3][3];
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) {
            rc[i][k] = 0;
            for (int m = 0; m < 3; ++m)
                rc[i][k] += r[3 * i + m] * element(c, m, k);
        }
    Covariance out{};
    int n = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += rc[i][k] * r[3 * j + k];
            out[n++] = sum;
        }
    return out;
}

std::array<double, 3> rotate(const Rotation& r, const std::array<double, 3>& v)
{
    std::array<double, 3> out{};
    for (int i = 0; i < 3; ++i)
        out[i] = r[3 * i] * v[0] + r[3 * i + 1] * v[1] + r[3 * i + 2] * v[2];
    return out;
}

Rotation transposed(const Rotation& r)
{
    return {r[0], r[3], r[6], r[1], r[4], r[7], r[2], r[5], r[8]};
}

} // namespace cli
