// Differences between the GDAL versions the driver builds against.
#pragma once

#include <gdal_version.h>

#ifndef GDAL_COMPUTE_VERSION
#define GDAL_COMPUTE_VERSION(maj, min, rev) ((maj) * 1000000 + (min) * 10000 + (rev) * 100)
#endif

// GDAL 3.12 made the layer and dataset accessors const. Returning the
// non-const pointer from a const method overrides either form.
#if GDAL_VERSION_NUM >= GDAL_COMPUTE_VERSION(3, 12, 0)
#define OGRGNSS_CONST_312 const
#else
#define OGRGNSS_CONST_312
#endif
