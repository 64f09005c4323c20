// What the JSON and GeoJSON outputs write alike: missing values as null and
// a vector's measured values.
#pragma once

#include "JsonStream.h"

#include <gnssimport/host/ImportModel.h>

#include <optional>

namespace cli {

template <typename T>
JsonStream::json orNull(const std::optional<T>& value)
{
    return value ? JsonStream::json(*value) : JsonStream::json(nullptr);
}

// dx, dy, dz, sigmaX, sigmaY, sigmaZ, rms, factor, covariance and length.
void writeVectorValues(JsonStream& s, const host::ImportedVector& v);

} // namespace cli
