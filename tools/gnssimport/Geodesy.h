// The shared geodesy on the tool's import results: a point index over all
// files, and vector ends looked up in the vector's own file first.
#pragma once

#include "Covariance.h"
#include "ImportResult.h"

#include <gnssimport/geodesy/Geodesy.h>

namespace cli {

using geodesy::Geocentric;
using geodesy::Geodetic;
using geodesy::toGeocentric;
using geodesy::toGeodetic;
using geodesy::VectorEnds;
using geodesy::vectorLength;

// The rotation from geocentric axes to east, north, up at a place (degrees).
Rotation enuRotation(double latitude, double longitude);

class PointIndex : public geodesy::PointIndex {
public:
    explicit PointIndex(const ImportResults& results)
    {
        for (const auto& result : results)
            result.forEachPoint([&](const host::ImportedPoint& point) { add(point, result.data); });
    }
    const Geodetic* find(const std::wstring& name, const FileResult* file) const
    {
        return geodesy::PointIndex::find(name, file ? &file->data : nullptr);
    }
};

inline std::optional<VectorEnds> vectorEnds(const host::ImportedVector& vector, const FileResult& file,
                                            const PointIndex& points)
{
    return geodesy::vectorEnds(vector, file.data, points);
}

} // namespace cli
