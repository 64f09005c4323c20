# CPack: one Debian package with the tool, the plug-ins, the GDAL driver
# (when built), the SDK headers, the reference host library and the package
# config (cpack -G DEB in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gnssimport)
set(CPACK_PACKAGE_VENDOR "gnssimport")
set(CPACK_PACKAGE_CONTACT "${GNSSIMPORT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Import plug-ins for GNSS survey exports and the gnssimport command-line tool")
set(CPACK_PACKAGE_DESCRIPTION
    "Plug-ins that read Spectrum Survey, TGO/TBC, LGO, Pinnacle and Topcon exports,
the gnssimport tool that turns them into text, JSON, GeoJSON and CSV, checks
vectors against point coordinates and shows the plug-ins' messages in English
or Russian, a GDAL/OGR driver that opens the exports in QGIS, ogr2ogr and
Python, the SDK headers a host needs to load the plug-ins and the reference
host library.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Debian ships stripped binaries.
set(CPACK_STRIP_FILES ON)
find_program(GNSSIMPORT_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(GNSSIMPORT_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgeographiclib23, libstdc++6, libc6")
    if(GNSSIMPORT_BUILD_GDAL_DRIVER)
        string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libgdal32")
    endif()
endif()
include(CPack)
