#include "JsonRecords.h"

#include "Geodesy.h"

namespace cli {

void writeVectorValues(JsonStream& s, const host::ImportedVector& v)
{
    s.member("dx", orNull(v.dx()));
    s.member("dy", orNull(v.dy()));
    s.member("dz", orNull(v.dz()));
    s.member("sigmaX", orNull(v.sigmaX()));
    s.member("sigmaY", orNull(v.sigmaY()));
    s.member("sigmaZ", orNull(v.sigmaZ()));
    s.member("rms", orNull(v.rms()));
    s.member("factor", orNull(v.factor()));
    s.member("covariance", orNull(v.covariance));
    s.member("length", orNull(vectorLength(v)));
}

} // namespace cli
