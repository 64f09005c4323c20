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
