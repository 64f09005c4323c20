#include "JsonRecords.h"

#include "Geodesy.h"

namespace cli {

void writeVectorValues(JsonStream& s, const host::ImportedVector& v)
{
    static const char* const names[8] = {"dx", "dy", "dz", "sigmaX", "sigmaY", "sigmaZ", "rms", "factor"};
    for (int i = 0; i < 8; ++i)
        s.member(names[i], v.values[i]);
    s.member("covariance", v.covariance);
    s.member("length", vectorLength(v));
}

} // namespace cli
