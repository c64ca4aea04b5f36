# Renders one manual page (tables through tbl) and fails on any warning or error.
# Usage: cmake -DGROFF=/usr/bin/groff -DPAGE=page.1 -P check_page.cmake
execute_process(
    COMMAND ${GROFF} -t -man -Tutf8 -ww -z ${PAGE}
    RESULT_VARIABLE result
    ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "${PAGE} does not render cleanly (exit ${result}):\n${warnings}")
endif()
