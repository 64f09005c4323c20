// A read-only layer over features held in memory. Feature ids are 1, 2, …
// in the order the features were added, the same on every read; attribute
// and spatial filters go through GDAL's generic evaluation.
#pragma once

#include "Compat.h"

#include <ogrsf_frmts.h>

#include <memory>
#include <vector>

namespace ogrgnss {

class CLayer : public OGRLayer {
public:
    // srs may be null; geometryType wkbNone makes a table without geometry.
    CLayer(const char* name, OGRwkbGeometryType geometryType, const OGRSpatialReference* srs);
    ~CLayer() override;
    CLayer(const CLayer&) = delete;
    CLayer& operator=(const CLayer&) = delete;

    void addField(const char* name, OGRFieldType type);
    // A new feature of this layer's definition, to fill and hand to add().
    std::unique_ptr<OGRFeature> newFeature() const;
    void add(std::unique_ptr<OGRFeature> feature);

    void ResetReading() override;
    OGRFeature* GetNextFeature() override;
    OGRFeature* GetFeature(GIntBig fid) override;
    GIntBig GetFeatureCount(int force = TRUE) override;
    OGRFeatureDefn* GetLayerDefn() OGRGNSS_CONST_312 override;
    int TestCapability(const char* capability) OGRGNSS_CONST_312 override;

private:
    bool filtered() const;

    OGRFeatureDefn* m_defn;
    std::vector<std::unique_ptr<OGRFeature>> m_features;
    std::size_t m_next = 0;
};

} // namespace ogrgnss
