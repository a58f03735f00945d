# Installs the build into a fresh prefix and checks what lands there: exactly the
# programs, the desktop entry (which must pass desktop-file-validate), the icons,
# the help pages and the man page, whose usage part says what `tallix-cli --help`
# says.
# Usage: cmake -DBUILD=... -DSOURCE=... -DWORK=... -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install: exit status ${rc}")
endif()

set(expected bin/tallix bin/tallix-cli share/applications/tallix.desktop
    share/icons/hicolor/scalable/apps/tallix.svg share/man/man1/tallix-cli.1)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tallix.png)
endforeach()
file(GLOB_RECURSE pages RELATIVE ${SOURCE}/help ${SOURCE}/help/*)
foreach(page ${pages})
    list(APPEND expected share/doc/tallix/help/${page})
endforeach()
foreach(page index.html calc.html fx.html lists.html regr.html matrix.html verify.html cli.html)
    if(NOT page IN_LIST pages)
        message(SEND_ERROR "help/${page} is missing")
    endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    set(extra ${installed})
    list(REMOVE_ITEM extra ${expected})
    set(missing ${expected})
    list(REMOVE_ITEM missing ${installed})
    message(SEND_ERROR "installed files differ: missing '${missing}', not expected '${extra}'")
endif()

execute_process(COMMAND desktop-file-validate ${prefix}/share/applications/tallix.desktop
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(SEND_ERROR "desktop-file-validate (exit ${rc}): ${out}")
endif()

# The man page's roff, read back as text, holds every line of --help.
execute_process(COMMAND ${prefix}/bin/tallix-cli --help OUTPUT_VARIABLE help
                OUTPUT_STRIP_TRAILING_WHITESPACE)
file(READ ${prefix}/share/man/man1/tallix-cli.1 page)
string(REPLACE "\\-" "-" page "${page}")
string(REPLACE "\\&" "" page "${page}")
string(REPLACE "\\e" "\\" page "${page}")
# (";" would split the lines into list items.)
string(REPLACE ";" "," page "${page}")
string(REPLACE ";" "," help "${help}")
string(REPLACE "\n" ";" help_lines "${help}")
foreach(line ${help_lines})
    string(FIND "${page}" "${line}\n" at)
    if(at EQUAL -1)
        message(SEND_ERROR "the man page lacks the --help line '${line}'")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
