#include "Layer.h"

namespace ogrgnss {

CLayer::CLayer(const char* name, OGRwkbGeometryType geometryType, const OGRSpatialReference* srs)
    : m_defn(new OGRFeatureDefn(name))
{
    m_defn->Reference();
    m_defn->SetGeomType(geometryType);
    if (geometryType != wkbNone && srs) {
        OGRSpatialReference* own = srs->Clone();
        m_defn->GetGeomFieldDefn(0)->SetSpatialRef(own);
        own->Release();
    }
    SetDescription(name);
}

CLayer::~CLayer() { m_defn->Release(); }

void CLayer::addField(const char* name, OGRFieldType type)
{
    OGRFieldDefn field(name, type);
    m_defn->AddFieldDefn(&field);
}

std::unique_ptr<OGRFeature> CLayer::newFeature() const { return std::make_unique<OGRFeature>(m_defn); }

void CLayer::add(std::unique_ptr<OGRFeature> feature)
{
    feature->SetFID(static_cast<GIntBig>(m_features.size()) + 1);
    m_features.push_back(std::move(feature));
}

void CLayer::ResetReading() { m_next = 0; }

bool CLayer::filtered() const { return m_poFilterGeom != nullptr || m_poAttrQuery != nullptr; }

OGRFeature* CLayer::GetNextFeature()
{
    while (m_next < m_features.size()) {
        OGRFeature& feature = *m_features[m_next++];
        if ((m_poFilterGeom == nullptr || FilterGeometry(feature.GetGeomFieldRef(m_iGeomFieldFilter)))
            && (m_poAttrQuery == nullptr || m_poAttrQuery->Evaluate(&feature)))
            return feature.Clone();
    }
    return nullptr;
}

OGRFeature* CLayer::GetFeature(GIntBig fid)
{
    if (fid < 1 || fid > static_cast<GIntBig>(m_features.size()))
        return nullptr;
    return m_features[static_cast<std::size_t>(fid - 1)]->Clone();
}

GIntBig CLayer::GetFeatureCount(int force)
{
    if (!filtered())
        return static_cast<GIntBig>(m_features.size());
    return OGRLayer::GetFeatureCount(force);
}

OGRFeatureDefn* CLayer::GetLayerDefn() OGRGNSS_CONST_312 { return m_defn; }

int CLayer::TestCapability(const char* capability) OGRGNSS_CONST_312
{
    if (EQUAL(capability, OLCRandomRead) || EQUAL(capability, OLCStringsAsUTF8))
        return TRUE;
    if (EQUAL(capability, OLCFastFeatureCount))
        return !filtered();
    return FALSE;
}

} // namespace ogrgnss
