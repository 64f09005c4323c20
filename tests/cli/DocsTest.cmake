# The manual page and the bash completion against the options of --help:
# every option appears in both, the page renders without warnings and the
# completion offers the formats and plug-ins.
#   cmake -DTOOL= -DMAN_PAGE= -DCOMPLETION= -DWORK_DIR= -P DocsTest.cmake
execute_process(COMMAND ${TOOL} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "--help failed")
endif()
file(READ ${MAN_PAGE} page)
file(READ ${COMPLETION} completion)
string(REGEX MATCHALL "[ ,]--?[a-zA-Z][a-zA-Z-]*" options "${help}")
list(TRANSFORM options REPLACE "^[ ,]" "")
list(REMOVE_DUPLICATES options)
list(LENGTH options count)
if(count LESS 15)
    message(FATAL_ERROR "expected the options of --help, found: ${options}")
endif()
foreach(option ${options})
    string(REPLACE "-" "\\-" roff "${option}")
    string(FIND "${page}" "\\fB${roff}\\fR" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${option} missing from the manual page")
    endif()
    if(option MATCHES "^--" AND NOT completion MATCHES "[ ']${option}[ '\n]")
        message(FATAL_ERROR "${option} missing from the bash completion")
    endif()
endforeach()

find_program(MAN man)
if(MAN)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 MANPAGER=cat PAGER=cat
                            ${MAN} --warnings -l ${MAN_PAGE}
        OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "" OR NOT rendered MATCHES "EXIT STATUS.*--lang")
        message(FATAL_ERROR "man -l: status ${status}\n${warnings}\n${rendered}")
    endif()
endif()

set(bash_completion /usr/share/bash-completion/bash_completion)
if(EXISTS ${bash_completion})
    file(REMOVE_RECURSE ${WORK_DIR})
    file(MAKE_DIRECTORY ${WORK_DIR})
    file(TOUCH ${WORK_DIR}/net.asc)
    foreach(case "-f j|json" "-p t|tgotbc topcon" "--lang |en ru" "--check-|--check-alpha --check-sigmas --check-tolerance"
                 "n|net.asc" "configure |lgo")
        string(REPLACE "|" ";" case "${case}")
        list(GET case 0 line)
        list(GET case 1 expected)
        execute_process(COMMAND bash -c "source ${bash_completion}; source ${COMPLETION}
COMP_LINE='gnssimport ${line}'; COMP_POINT=\${#COMP_LINE}; read -ra COMP_WORDS <<< \"\$COMP_LINE\"
[[ \$COMP_LINE == *' ' ]] && COMP_WORDS+=('')
COMP_CWORD=\$((\${#COMP_WORDS[@]} - 1)); _gnssimport; printf '%s\\n' \"\${COMPREPLY[@]}\" | sort | xargs"
            WORKING_DIRECTORY ${WORK_DIR} OUTPUT_VARIABLE offered OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT offered STREQUAL expected)
            message(FATAL_ERROR "completing 'gnssimport ${line}': expected '${expected}', got '${offered}'")
        endif()
    endforeach()
    file(REMOVE_RECURSE ${WORK_DIR})
endif()
