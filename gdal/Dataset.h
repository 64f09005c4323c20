// One imported file as three layers: points (Point Z in EPSG:4979), vectors
// (LineString Z from base to rover where both ends can be placed) and the
// plug-in's messages.
#pragma once

#include "Compat.h"
#include "Import.h"
#include "Layer.h"

#include <gdal_priv.h>

#include <memory>
#include <vector>

namespace ogrgnss {

class CDataset : public GDALDataset {
public:
    explicit CDataset(const ImportOutcome& outcome);

    int GetLayerCount() OGRGNSS_CONST_312 override;
    OGRLayer* GetLayer(int index) OGRGNSS_CONST_312 override;

private:
    std::vector<std::unique_ptr<CLayer>> m_layers;
};

} // namespace ogrgnss
