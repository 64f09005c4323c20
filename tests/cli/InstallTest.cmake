# Installs the build tree into a fresh prefix, builds a tiny host against
# the installed package config, runs it and the installed tool; then a host
# on the installed host library that imports EXAMPLE (a Topcon report).
#   cmake -DBUILD_DIR= -DWORK_DIR= -DHOST_SOURCE= -DLIBHOST_SOURCE= -DEXAMPLE= -DCXX= -DCXX_FLAGS= -DGENERATOR=
#         -P InstallTest.cmake
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

foreach(path bin/gnssimport include/gnssimport/Plugin.h include/gnssimport/ImportTarget.h
             include/gnssimport/host/PluginLoader.h)
    if(NOT EXISTS ${prefix}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(GLOB plugins ${prefix}/lib*/gnssimport/gnssimport-*.so)
list(LENGTH plugins count)
if(NOT count EQUAL 5)
    message(FATAL_ERROR "expected 5 installed plug-ins, found ${count}: ${plugins}")
endif()

run(${CMAKE_COMMAND} -S ${HOST_SOURCE} -B ${WORK_DIR}/host -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/host)
run(${WORK_DIR}/host/tinyhost)
foreach(name "Spectrum Survey" "TGO/TBC" "LGO" "Pinnacle" "Topcon")
    if(NOT output MATCHES "\"name\": \"${name}\"")
        message(FATAL_ERROR "tiny host did not load ${name}:\n${output}")
    endif()
endforeach()

# The reference host library, linked from the package alone.
run(${CMAKE_COMMAND} -S ${LIBHOST_SOURCE} -B ${WORK_DIR}/libhost -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/libhost)
run(${WORK_DIR}/libhost/libhost ${EXAMPLE})
if(NOT output MATCHES ": 4 points, 5 vectors, 0 messages")
    message(FATAL_ERROR "host library did not import ${EXAMPLE}:\n${output}")
endif()

# The installed tool finds the installed plug-ins next to it.
run(${prefix}/bin/gnssimport plugins)
if(NOT output MATCHES "${prefix}/lib[^ ]*/gnssimport/gnssimport-topcon.so")
    message(FATAL_ERROR "installed tool did not find the installed plug-ins:\n${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
