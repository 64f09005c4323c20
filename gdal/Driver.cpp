// The GDAL driver "GNSSImport": claims the files one of the plug-ins reads
// and opens each as a dataset of points, vectors and messages.
#include "Dataset.h"
#include "Import.h"
#include <gnssimport/host/FormatSignature.h>

#include <gnssimport/host/PluginLoader.h>
#include <gnssimport/host/Utf8.h>

#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>

#include <boost/algorithm/string/predicate.hpp>

#include <string>

namespace ogrgnss {

using host::identifyFormat;
using host::LgoHeaderNames;

namespace {

const char* const kDriverName = "GNSSImport";
// Enough of the file for the Topcon records that follow a header of notes.
const int kHeadBytes = 16384;

// The LGO column identifiers, by the keys of the plug-in's settings.
const char* const kLgoKeys[] = {"point_id", "latitude", "longitude", "ellip_Hgt", "reference_id", "rover_id",
                                "dx", "dy", "dz", "q11", "q22", "q33"};

const char* option(GDALOpenInfo* info, const char* key)
{
    const char* value = CSLFetchNameValue(info->papszOpenOptions, key);
    return value && *value ? value : nullptr;
}

// Asked for by name: the PLUGIN option, or this driver alone allowed.
bool explicitlyAsked(GDALOpenInfo* info)
{
    if (option(info, "PLUGIN"))
        return true;
    const char* const* allowed = info->papszAllowedDrivers;
    return allowed && allowed[0] && !allowed[1] && EQUAL(allowed[0], kDriverName);
}

bool onFileSystem(const char* path) { return !STARTS_WITH_CI(path, "/vsi"); }

std::string head(GDALOpenInfo* info)
{
    if (!info->fpL)
        return std::string();
    info->TryToIngest(kHeadBytes);
    return std::string(reinterpret_cast<const char*>(info->pabyHeader), static_cast<std::size_t>(info->nHeaderBytes));
}

LgoHeaderNames lgoNames(GDALOpenInfo* info)
{
    LgoHeaderNames names;
    if (const char* value = option(info, "point_id"))
        names.pointId = value;
    if (const char* value = option(info, "reference_id"))
        names.referenceId = value;
    if (const char* value = option(info, "rover_id"))
        names.roverId = value;
    return names;
}

bool pinnacleName(const std::string& path)
{
    return boost::iends_with(path, "station.dat") || boost::iends_with(path, "vector.dat");
}

int identify(GDALOpenInfo* info)
{
    if (explicitlyAsked(info))
        return TRUE;
    if (!onFileSystem(info->pszFilename) || info->bIsDirectory)
        return FALSE;
    // A station.dat or vector.dat that cannot be read is still ours, so
    // that opening it says why it failed.
    if (!info->fpL)
        return info->bStatOK && pinnacleName(info->pszFilename);
    return !identifyFormat(info->pszFilename, head(info), lgoNames(info)).empty();
}

host::SettingsStore settings(GDALOpenInfo* info)
{
    host::SettingsStore store;
    if (const char* charset = option(info, "CHARSET"))
        store.set(L"charset", host::fromUtf8(charset));
    for (const char* key : kLgoKeys)
        if (const char* value = option(info, key))
            store.set(host::fromUtf8(key), host::fromUtf8(value));
    return store;
}

// The station.dat beside a Pinnacle vector.dat, in the same letter case.
std::string stationFileBeside(const std::string& path)
{
    const std::size_t stem = path.size() - std::string("vector.dat").size();
    const bool upper = path.compare(stem, 6, "VECTOR") == 0;
    return path.substr(0, stem) + (upper ? "STATION.DAT" : "station.dat");
}

ImportOutcome run(GDALOpenInfo* info, const std::string& dir)
{
    const std::string path = info->pszFilename;
    const host::SettingsStore store = settings(info);
    std::string plugin;
    if (const char* forced = option(info, "PLUGIN")) {
        plugin = resolvePlugin(dir, forced);
        if (plugin.empty())
            throw std::invalid_argument(std::string("no plug-in named ") + forced + " in " + dir);
    } else {
        plugin = identifyFormat(path, head(info), lgoNames(info));
    }
    ImportOutcome outcome = plugin.empty() ? importWithAny(dir, path, store) : importWith(dir, plugin, path, store);
    if (plugin == "pinnacle" && boost::iends_with(path, "vector.dat")) {
        try {
            outcome.context.push_back(importWith(dir, plugin, stationFileBeside(path), store).file);
        } catch (const std::runtime_error&) {
            // No readable station.dat: the vectors simply stay unplaced.
        }
    }
    return outcome;
}

GDALDataset* open(GDALOpenInfo* info)
{
    if (!identify(info))
        return nullptr;
    const char* path = info->pszFilename;
    if (info->eAccess == GA_Update) {
        CPLError(CE_Failure, CPLE_NotSupported, "%s: %s: the driver is read-only", kDriverName, path);
        return nullptr;
    }
    if (!onFileSystem(path)) {
        CPLError(CE_Failure, CPLE_NotSupported, "%s: %s: only files in the file system can be read", kDriverName,
                 path);
        return nullptr;
    }
    try {
        auto* dataset = new CDataset(run(info, pluginDirectory()));
        dataset->SetDescription(path);
        return dataset;
    } catch (const host::LoadError& e) {
        CPLError(CE_Failure, CPLE_AppDefined, "%s: %s: %s", kDriverName, path, e.what());
    } catch (const std::invalid_argument& e) {
        CPLError(CE_Failure, CPLE_IllegalArg, "%s: %s: %s", kDriverName, path, e.what());
    } catch (const std::exception& e) {
        CPLError(CE_Failure, CPLE_OpenFailed, "%s: %s", kDriverName, e.what());
    }
    return nullptr;
}

std::string openOptions()
{
    std::string xml = "<OpenOptionList>"
                      "<Option name='CHARSET' type='string' description='Code page of the file (CP1251, CP866, "
                      "KOI8-R, UTF-8, any iconv name); empty lets TGO/TBC and Topcon detect it'/>"
                      "<Option name='PLUGIN' type='string' description='Read with this plug-in whatever the "
                      "file looks like: spectrum, tgotbc, lgo, pinnacle, topcon or a descriptor name'/>";
    for (const char* key : kLgoKeys)
        xml += std::string("<Option name='") + key + "' type='string' description='LGO column identifier'/>";
    return xml + "</OpenOptionList>";
}

} // namespace

} // namespace ogrgnss

extern "C" __attribute__((visibility("default"))) void RegisterOGRGNSSImport()
{
    if (!GDAL_CHECK_VERSION("GNSSImport driver"))
        return;
    if (GDALGetDriverByName(ogrgnss::kDriverName) != nullptr)
        return;
    auto* driver = new GDALDriver();
    driver->SetDescription(ogrgnss::kDriverName);
    driver->SetMetadataItem(GDAL_DCAP_VECTOR, "YES");
    driver->SetMetadataItem(GDAL_DMD_LONGNAME,
                            "GNSS survey exports (Spectrum Survey, TGO/TBC, LGO, Pinnacle, Topcon) via gnssimport");
    driver->SetMetadataItem(GDAL_DMD_EXTENSIONS, "asc tvf txt dat csv prn");
    driver->SetMetadataItem(GDAL_DMD_OPENOPTIONLIST, ogrgnss::openOptions().c_str());
    driver->pfnIdentify = ogrgnss::identify;
    driver->pfnOpen = ogrgnss::open;
    GetGDALDriverManager()->RegisterDriver(driver);
}
