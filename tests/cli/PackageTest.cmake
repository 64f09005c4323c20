# Builds the .deb with CPack and checks what it holds, unpacked as dpkg
# would; runs lintian on it when installed and fails on its errors.
#   cmake -DBUILD_DIR= -DWORK_DIR= -DCPACK= [-DGDAL_DRIVER=ON] -P PackageTest.cmake
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${out}\n${err}")
endif()
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()
execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE contents RESULT_VARIABLE status)
execute_process(COMMAND dpkg-deb --field ${debs} Package Depends OUTPUT_VARIABLE fields)
foreach(path usr/bin/gnssimport "usr/lib[^ ]*/gnssimport/gnssimport-topcon.so" usr/include/gnssimport/Plugin.h
             "usr/lib[^ ]*/cmake/gnssimport/gnssimportConfig.cmake" usr/include/gnssimport/host/PluginLoader.h
             "usr/lib[^ ]*/libgnssimport_host.a")
    if(NOT contents MATCHES "\\./${path}")
        message(FATAL_ERROR "${path} missing from the package:\n${contents}")
    endif()
endforeach()
# GDAL finds its plug-in drivers in the multiarch library folder.
if(GDAL_DRIVER AND NOT contents MATCHES "\\./usr/lib/[^ /]+/gdalplugins/ogr_GNSSImport\\.so")
    message(FATAL_ERROR "the GDAL driver is missing from the package:\n${contents}")
endif()
if(NOT fields MATCHES "libgeographiclib")
    message(FATAL_ERROR "package does not depend on GeographicLib:\n${fields}")
endif()

execute_process(COMMAND dpkg-deb -x ${debs} ${WORK_DIR}/root COMMAND_ERROR_IS_FATAL ANY)
foreach(path usr/share/man/man1/gnssimport.1.gz usr/share/bash-completion/completions/gnssimport
             usr/share/doc/gnssimport/copyright usr/share/doc/gnssimport/changelog.gz
             usr/share/doc/gnssimport/README.md)
    if(NOT EXISTS ${WORK_DIR}/root/${path})
        message(FATAL_ERROR "${path} missing from the unpacked package")
    endif()
endforeach()
file(READ ${WORK_DIR}/root/usr/share/doc/gnssimport/copyright copyright)
if(NOT copyright MATCHES "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")
    message(FATAL_ERROR "copyright is not in the machine-readable format")
endif()

find_program(LINTIAN lintian)
if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --no-cfg --fail-on error ${debs}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lintian found errors:\n${out}\n${err}")
    endif()
    message(STATUS "lintian:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
