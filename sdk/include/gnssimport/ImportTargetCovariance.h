// Optional extension of the import target: the full 3x3 covariance of a
// vector, which the vendor's target cannot take (it has only SigmaX, SigmaY,
// SigmaZ). A host that wants it answers QueryInterface for
// IID_ISatImportTargetCovariance (0x47435631, far from the host's own ids
// 0..2) with a pointer to this interface; the vendor host answers null.
//
// A plug-in whose file carries correlations asks for it while sending a
// vector and, when it gets it, calls SetCovariance once, right after the
// vector's Factor. With a null answer it sends nothing more, so the event
// stream is exactly the one a host without the extension sees.
#pragma once

#include "ImportTarget.h"

namespace Plugin {

// Not reference counted; valid as long as the target it came from.
class ISatImportTargetCovariance {
public:
    // The covariance of the vector opened last: upper triangle row by row,
    // in the file's units squared (metres squared for every known format),
    // not scaled by Factor. Values are passed on as the file reads.
    virtual void SetCovariance(double xx, double xy, double xz, double yy, double yz, double zz) = 0;

protected:
    ~ISatImportTargetCovariance() = default;
};

} // namespace Plugin
