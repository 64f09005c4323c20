# Installs the CMake package config that gives a host developer the SDK
# target; the plug-ins, the tool and the headers install themselves.
include(CMakePackageConfigHelpers)

set(GNSSIMPORT_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/gnssimport)
install(EXPORT gnssimportTargets
    NAMESPACE gnssimport::
    DESTINATION ${GNSSIMPORT_INSTALL_CMAKEDIR})
configure_package_config_file(
    ${CMAKE_CURRENT_LIST_DIR}/gnssimportConfig.cmake.in
    ${PROJECT_BINARY_DIR}/gnssimportConfig.cmake
    INSTALL_DESTINATION ${GNSSIMPORT_INSTALL_CMAKEDIR}
    PATH_VARS GNSSIMPORT_INSTALL_PLUGINDIR)
write_basic_package_version_file(
    ${PROJECT_BINARY_DIR}/gnssimportConfigVersion.cmake
    COMPATIBILITY SameMinorVersion
    ARCH_INDEPENDENT)
install(FILES
    ${PROJECT_BINARY_DIR}/gnssimportConfig.cmake
    ${PROJECT_BINARY_DIR}/gnssimportConfigVersion.cmake
    DESTINATION ${GNSSIMPORT_INSTALL_CMAKEDIR})

# The documents a Debian user expects in share/doc/gnssimport: the licence
# and third-party notices, the README and the changelog, compressed as
# Debian keeps changelogs.
set(GNSSIMPORT_MAINTAINER "gnssimport maintainers <gnssimport@example.org>"
    CACHE STRING "Maintainer of the Debian package and its changelog entries")
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
find_program(GNSSIMPORT_GZIP gzip REQUIRED)
execute_process(COMMAND ${GNSSIMPORT_GZIP} -9 -n -c ${PROJECT_BINARY_DIR}/changelog
    OUTPUT_FILE ${PROJECT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/README.md
    ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
