cmake_minimum_required(VERSION 3.25)
# Fails when a source of host/, tools/ or gdal/ includes a header of
# PluginsBase/, by any path: the host library and its users stand on the SDK
# and the text module alone.
file(GLOB_RECURSE sources
    ${SOURCE_DIR}/host/*.h ${SOURCE_DIR}/host/*.cpp
    ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp
    ${SOURCE_DIR}/gdal/*.h ${SOURCE_DIR}/gdal/*.cpp)
file(GLOB framework RELATIVE ${SOURCE_DIR}/PluginsBase ${SOURCE_DIR}/PluginsBase/*)
set(bad "")
foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
        string(REGEX REPLACE "^(\\.\\./)+" "" header "${header}")
        string(REGEX MATCH "^[^/]*" first "${header}")
        if(header MATCHES "PluginsBase" OR (header MATCHES "/" AND first IN_LIST framework))
            list(APPEND bad "${source}: ${line}")
        endif()
    endforeach()
endforeach()
if(bad)
    list(JOIN bad "\n" text)
    message(FATAL_ERROR "host/, tools/ or gdal/ include the plug-in framework:\n${text}")
endif()
