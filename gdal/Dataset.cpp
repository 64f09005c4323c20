#include "Dataset.h"

#include <gnssimport/geodesy/Geodesy.h>
#include <gnssimport/host/Utf8.h>

#include <cmath>
#include <optional>

namespace ogrgnss {

namespace {

bool finite(const std::optional<double>& value) { return value && std::isfinite(*value); }

void setReal(OGRFeature& feature, const char* field, const std::optional<double>& value)
{
    if (value)
        feature.SetField(field, *value);
}

// Plug-ins count lines from 0; users and the other outputs from 1.
void setLine(OGRFeature& feature, int line)
{
    if (line >= 0)
        feature.SetField("line", line + 1);
}

void addPosition(OGRLineString& line, const geodesy::Geodetic& g, bool withHeight)
{
    if (withHeight)
        line.addPoint(g.longitude, g.latitude, *g.height);
    else
        line.addPoint(g.longitude, g.latitude);
}

std::unique_ptr<CLayer> pointsLayer(const host::ImportedFile& file, OGRSpatialReference& srs)
{
    auto layer = std::make_unique<CLayer>("points", wkbPoint25D, &srs);
    layer->addField("name", OFTString);
    layer->addField("ellipsoidal_height", OFTReal);
    layer->addField("elevation", OFTReal);
    layer->addField("line", OFTInteger);
    layer->addField("file", OFTString);
    const std::string path = host::toUtf8(file.path);
    for (const auto& point : file.points) {
        auto feature = layer->newFeature();
        feature->SetField("name", host::toUtf8(point.name).c_str());
        setReal(*feature, "ellipsoidal_height", point.ellipsoidalHeight);
        setReal(*feature, "elevation", point.elevation);
        setLine(*feature, point.line);
        feature->SetField("file", path.c_str());
        if (finite(point.latitude) && finite(point.longitude)) {
            const double lon = geodesy::degrees(*point.longitude), lat = geodesy::degrees(*point.latitude);
            // A point without a height stays two-dimensional rather than at a made-up 0.
            auto geometry = finite(point.ellipsoidalHeight) ? std::make_unique<OGRPoint>(lon, lat, *point.ellipsoidalHeight)
                                                            : std::make_unique<OGRPoint>(lon, lat);
            geometry->assignSpatialReference(&srs);
            feature->SetGeometryDirectly(geometry.release());
        }
        layer->add(std::move(feature));
    }
    return layer;
}

std::unique_ptr<CLayer> vectorsLayer(const ImportOutcome& outcome, OGRSpatialReference& srs)
{
    auto layer = std::make_unique<CLayer>("vectors", wkbLineString25D, &srs);
    static const char* const valueFields[] = {"dx", "dy", "dz", "sigma_x", "sigma_y", "sigma_z", "rms", "factor"};
    static const char* const covarianceFields[] = {"cov_xx", "cov_xy", "cov_xz", "cov_yy", "cov_yz", "cov_zz"};
    layer->addField("from", OFTString);
    layer->addField("to", OFTString);
    for (const char* name : valueFields)
        layer->addField(name, OFTReal);
    for (const char* name : covarianceFields)
        layer->addField(name, OFTReal);
    layer->addField("length", OFTReal);
    layer->addField("line", OFTInteger);
    const host::ImportedFile& file = outcome.file;
    geodesy::PointIndex index;
    index.add(file);
    for (const auto& other : outcome.context)
        index.add(other);
    for (const auto& vector : file.vectors) {
        auto feature = layer->newFeature();
        feature->SetField("from", host::toUtf8(vector.origin).c_str());
        feature->SetField("to", host::toUtf8(vector.target).c_str());
        for (std::size_t i = 0; i < std::size(valueFields); ++i)
            setReal(*feature, valueFields[i], vector.values[i]);
        if (vector.covariance)
            for (std::size_t i = 0; i < vector.covariance->size(); ++i)
                feature->SetField(covarianceFields[i], (*vector.covariance)[i]);
        setReal(*feature, "length", geodesy::vectorLength(vector));
        setLine(*feature, vector.line);
        if (const auto ends = geodesy::vectorEnds(vector, file, index)) {
            // Both positions of a line share their dimension.
            const bool heights = ends->from.height && ends->to.height;
            auto geometry = std::make_unique<OGRLineString>();
            addPosition(*geometry, ends->from, heights);
            addPosition(*geometry, ends->to, heights);
            geometry->assignSpatialReference(&srs);
            feature->SetGeometryDirectly(geometry.release());
        }
        layer->add(std::move(feature));
    }
    return layer;
}

std::unique_ptr<CLayer> messagesLayer(const host::ImportedFile& file)
{
    auto layer = std::make_unique<CLayer>("messages", wkbNone, nullptr);
    layer->addField("severity", OFTString);
    layer->addField("line", OFTInteger);
    layer->addField("text", OFTString);
    for (const auto& message : file.messages) {
        auto feature = layer->newFeature();
        static const char* const severities[] = {"warning", "error", "host"};
        feature->SetField("severity", severities[message.severity]);
        setLine(*feature, message.line);
        feature->SetField("text", host::toUtf8(message.text).c_str());
        layer->add(std::move(feature));
    }
    return layer;
}

} // namespace

CDataset::CDataset(const ImportOutcome& outcome)
{
    // Longitude, latitude, ellipsoidal height, in that order whatever the
    // axis order of the definition.
    // Reference-counted: every geometry keeps its own reference.
    auto* srs = new OGRSpatialReference();
    srs->importFromEPSG(4979);
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    m_layers.push_back(pointsLayer(outcome.file, *srs));
    m_layers.push_back(vectorsLayer(outcome, *srs));
    srs->Release();
    m_layers.push_back(messagesLayer(outcome.file));
    for (auto& layer : m_layers)
        layer->SetMetadataItem("PLUGIN", outcome.plugin.c_str());
    SetMetadataItem("PLUGIN", outcome.plugin.c_str());
}

int CDataset::GetLayerCount() OGRGNSS_CONST_312 { return static_cast<int>(m_layers.size()); }

OGRLayer* CDataset::GetLayer(int index) OGRGNSS_CONST_312
{
    if (index < 0 || index >= static_cast<int>(m_layers.size()))
        return nullptr;
    return m_layers[static_cast<std::size_t>(index)].get();
}

} // namespace ogrgnss
