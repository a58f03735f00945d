# tallix-cli export, end to end: each source in each format, and refusals.
# Run with -DCLI=path/to/tallix-cli -DWORK=scratch-folder.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# Slot 1 holds x ^ 2 (shown, red), slot 2 sin x (shown, green).
file(WRITE ${WORK}/tallix.ini "[config]\nfunc1=t,255,0,7,20\nfunc2=t,32768,2,0\n")

function(check_header file hex)
    file(READ ${file} head LIMIT 2 HEX)
    if(NOT head STREQUAL hex)
        message(FATAL_ERROR "${file} starts with ${head}, not ${hex}")
    endif()
endfunction()

foreach(source display graph graph+functions window)
    foreach(format bmp jpg)
        set(out ${WORK}/${source}.${format})
        execute_process(COMMAND ${CLI} export --source ${source} --format ${format}
                                --ini ${WORK}/tallix.ini ${out}
                        RESULT_VARIABLE rc ERROR_VARIABLE err)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "export ${source} ${format}: ${rc} ${err}")
        endif()
        if(format STREQUAL "bmp")
            check_header(${out} "424d")
        else()
            check_header(${out} "ffd8")
        endif()
    endforeach()
endforeach()

# Bits per pixel: 8 for a paint box with its many shades, 24 for the window.
file(READ ${WORK}/graph+functions.bmp bits OFFSET 28 LIMIT 2 HEX)
file(READ ${WORK}/window.bmp wbits OFFSET 28 LIMIT 2 HEX)
file(READ ${WORK}/window.bmp size OFFSET 18 LIMIT 8 HEX)
if(NOT bits STREQUAL "0800" OR NOT wbits STREQUAL "1800" OR NOT size STREQUAL "62010000d6010000")
    message(FATAL_ERROR "bits ${bits}, window bits ${wbits}, window size ${size}")
endif()

# Refused: a source its mode does not show, a bad format, a folder that is not there.
foreach(bad "--source;graph;--format;bmp;--mode;calc;${WORK}/x.bmp"
            "--source;display;--format;png;${WORK}/x.png"
            "--source;window;--format;bmp;${WORK}/no/such/folder/x.bmp")
    execute_process(COMMAND ${CLI} export ${bad} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 2)
        message(FATAL_ERROR "export ${bad}: exit ${rc}, expected 2")
    endif()
endforeach()
