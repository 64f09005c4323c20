// What the JSON and GeoJSON outputs write alike: a vector's measured values.
#pragma once

#include "JsonStream.h"

#include <gnssimport/host/ImportModel.h>

namespace cli {

// dx, dy, dz, sigmaX, sigmaY, sigmaZ, rms, factor, covariance and length;
// a missing value is null.
void writeVectorValues(JsonStream& s, const host::ImportedVector& v);

} // namespace cli
