# tallix-cli export, end to end: each source in each format.
# Run with -DCLI=path/to/tallix-cli -DWORK=scratch-folder.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# Slot 1 holds x ^ 2 (shown, red), slot 2 sin x (shown, green).
file(WRITE ${WORK}/tallix.ini "[config]\nfunc1=t,255,0,7,20\nfunc2=t,32768,2,0\n")

foreach(source display graph graph+functions window)
    foreach(format bmp jpg)
        set(out ${WORK}/${source}.${format})
        execute_process(COMMAND ${CLI} export --source ${source} --format ${format}
                                --ini ${WORK}/tallix.ini ${out} RESULT_VARIABLE rc)
        file(READ ${out} head LIMIT 2 HEX)
        if(NOT rc EQUAL 0 OR NOT head MATCHES "^(424d|ffd8)$")
            message(FATAL_ERROR "export ${source} ${format}: exit ${rc}, file starts ${head}")
        endif()
    endforeach()
endforeach()

# 8 bits per pixel for a paint box of many shades, 24 for the 354 x 470 window.
file(READ ${WORK}/graph+functions.bmp bits OFFSET 28 LIMIT 2 HEX)
file(READ ${WORK}/window.bmp window OFFSET 18 LIMIT 12 HEX)
if(NOT bits STREQUAL "0800" OR NOT window STREQUAL "62010000d601000001001800")
    message(FATAL_ERROR "bits ${bits}, window header ${window}")
endif()
