#include "ImportPluginImpl.h"

GNSSIMPORT_EXPORT_PLUGIN(CImportPluginImpl)
