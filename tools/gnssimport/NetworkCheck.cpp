#include "NetworkCheck.h"

#include "Geodesy.h"
#include "Mahalanobis.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace cli {

namespace {

bool hasDeltas(const host::ImportedVector& v) { return v.dx() && v.dy() && v.dz(); }

double sigma(const host::ImportedVector& v, int axis)
{
    const auto s = v.values[3 + axis];
    return s && std::isfinite(*s) ? *s : 0.0;
}

// The vector's covariance when it is positive definite; a warning otherwise.
std::optional<Covariance3> usableCovariance(const FileResult& file, const host::ImportedVector& v,
                                            NetworkCheck& check)
{
    if (!v.covariance)
        return std::nullopt;
    const double zero[3] = {0, 0, 0};
    if (mahalanobis(zero, *v.covariance))
        return v.covariance;
    std::string where = utf8(file.path);
    if (v.line >= 0)
        where += ":" + std::to_string(v.line + 1);
    where += ": covariance of " + utf8(v.origin) + " - " + utf8(v.target)
             + " is not positive definite; its sigmas are used";
    if (std::find(check.warnings.begin(), check.warnings.end(), where) == check.warnings.end())
        check.warnings.push_back(std::move(where));
    return std::nullopt;
}

// Fills length, sigmas, chi2 and flag from d, the sigma of each axis (0 when
// unknown) and the full covariance where there is one.
void assess(Discrepancy& x, const double sigmas[3], const std::optional<Covariance3>& covariance,
            const CheckOptions& options)
{
    if (covariance)
        x.chi2 = mahalanobis(x.d, *covariance);
    x.length = std::sqrt(x.d[0] * x.d[0] + x.d[1] * x.d[1] + x.d[2] * x.d[2]);
    double worst = 0;
    bool known = true;
    for (int i = 0; i < 3; ++i) {
        if (!(sigmas[i] > 0)) {
            known = false;
            break;
        }
        worst = std::max(worst, std::fabs(x.d[i]) / sigmas[i]);
    }
    if (known)
        x.sigmas = worst;
    x.flagged = !(x.length <= options.tolerance);
    if (x.chi2)
        x.flagged = x.flagged || !(*x.chi2 <= chiSquared3Limit(options.alpha));
    else
        x.flagged = x.flagged || (options.maxSigmas > 0 && x.sigmas && !(*x.sigmas <= options.maxSigmas));
}

void checkMisclosures(const ImportResults& results, const CheckOptions& options, NetworkCheck& check)
{
    const PointIndex points(results);
    for (const auto& file : results)
        for (const auto& v : file.data.vectors) {
            const Geodetic* from = points.find(v.origin, &file);
            const Geodetic* to = points.find(v.target, &file);
            if (!hasDeltas(v) || !from || !to || !from->height || !to->height) {
                ++check.unchecked;
                continue;
            }
            const Geocentric a = toGeocentric(*from), b = toGeocentric(*to);
            Misclosure m{{&file, &v}, {}};
            m.misclosure.d[0] = *v.dx() - (b.x - a.x);
            m.misclosure.d[1] = *v.dy() - (b.y - a.y);
            m.misclosure.d[2] = *v.dz() - (b.z - a.z);
            const double sigmas[3] = {sigma(v, 0), sigma(v, 1), sigma(v, 2)};
            assess(m.misclosure, sigmas, usableCovariance(file, v, check), options);
            check.misclosures.push_back(m);
        }
}

void checkRepeats(const ImportResults& results, const CheckOptions& options, NetworkCheck& check)
{
    std::map<std::pair<std::wstring, std::wstring>, std::vector<VectorRef>> pairs;
    for (const auto& file : results)
        for (const auto& v : file.data.vectors)
            if (hasDeltas(v) && v.origin != v.target)
                pairs[std::minmax(v.origin, v.target)].push_back({&file, &v});
    for (const auto& entry : pairs) {
        const auto& refs = entry.second;
        const host::ImportedVector& first = *refs.front().vector;
        for (std::size_t i = 1; i < refs.size(); ++i) {
            const host::ImportedVector& other = *refs[i].vector;
            RepeatDifference r{refs.front(), refs[i], other.origin != first.origin, {}};
            const double sign = r.reversed ? -1.0 : 1.0;
            double sigmas[3];
            for (int axis = 0; axis < 3; ++axis) {
                r.difference.d[axis] = sign * *other.values[axis] - *first.values[axis];
                const double a = sigma(first, axis), b = sigma(other, axis);
                sigmas[axis] = a > 0 && b > 0 ? std::hypot(a, b) : 0.0;
            }
            // The two measurements are independent: their covariances add.
            std::optional<Covariance3> sum;
            const auto a = usableCovariance(*refs.front().file, first, check);
            const auto b = usableCovariance(*refs[i].file, other, check);
            if (a && b) {
                sum = Covariance3{};
                for (std::size_t k = 0; k < sum->size(); ++k)
                    (*sum)[k] = (*a)[k] + (*b)[k];
            }
            assess(r.difference, sigmas, sum, options);
            check.repeats.push_back(r);
        }
    }
}

} // namespace

NetworkCheck checkNetwork(const ImportResults& results, const CheckOptions& options)
{
    NetworkCheck check;
    checkMisclosures(results, options, check);
    checkRepeats(results, options, check);
    return check;
}

} // namespace cli
