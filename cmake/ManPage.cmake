# Writes the tallix-cli man page: TEMPLATE with @CLI_HELP@ and @EVAL_HELP@
# replaced by what `CLI --help` and `CLI eval --help` print, made safe for roff.
# Usage: cmake -DCLI=... -DTEMPLATE=... -DOUTPUT=... -DVERSION=... -P ManPage.cmake
function(roff_text out)
    execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${CLI} ${ARGN}: exit status ${rc}")
    endif()
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

roff_text(CLI_HELP --help)
roff_text(EVAL_HELP eval --help)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
