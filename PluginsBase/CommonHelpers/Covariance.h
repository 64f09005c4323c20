// Hands the full covariance of a vector to a target that takes it.
#pragma once

#include <gnssimport/ImportTargetCovariance.h>

#include <array>

namespace Plugin {
namespace Utils {

// xx, xy, xz, yy, yz, zz of the vector sent last, as the file reads them.
using Covariance = std::array<double, 6>;

// Call right after the vector's Factor. The target is asked on every call;
// one that does not know the interface (the vendor host) gets nothing more.
inline void sendCovariance(ISatImportTarget* target, const Covariance& c)
{
    auto* extension = static_cast<ISatImportTargetCovariance*>(target->QueryInterface(IID_ISatImportTargetCovariance));
    if (extension)
        extension->SetCovariance(c[0], c[1], c[2], c[3], c[4], c[5]);
}

} // namespace Utils
} // namespace Plugin
