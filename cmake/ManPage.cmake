# Writes the manual page with the built tool and compresses it as Debian
# installs manual pages.
#   cmake -DTOOL= -DOUTPUT= -P ManPage.cmake
execute_process(COMMAND ${TOOL} --help-man OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} --help-man failed: ${err}")
endif()
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9 -n -c ${OUTPUT} OUTPUT_FILE ${OUTPUT}.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${OUTPUT}")
endif()
