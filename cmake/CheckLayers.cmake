# Fails when a layer includes a header of a layer above it:
#   engine/ includes neither store/, ui/, app/ nor Qt;
#   store/  includes neither ui/, app/ nor Qt;
#   ui/     includes nothing of app/.
# Run as a build step before the engine is compiled: cmake -DROOT=<source dir> -P CheckLayers.cmake
set(rules
    "engine|#include[ \t]*[\"<](store/|ui/|app/|Q[A-Za-z]*[>/])"
    "store|#include[ \t]*[\"<](ui/|app/|Q[A-Za-z]*[>/])"
    "ui|#include[ \t]*[\"<]app/")
set(faults "")
foreach(rule IN LISTS rules)
    string(FIND "${rule}" "|" bar)
    string(SUBSTRING "${rule}" 0 ${bar} layer)
    math(EXPR start "${bar} + 1")
    string(SUBSTRING "${rule}" ${start} -1 pattern)
    file(GLOB_RECURSE files "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" hits REGEX "${pattern}")
        foreach(h IN LISTS hits)
            file(RELATIVE_PATH rel "${ROOT}" "${f}")
            string(APPEND faults "  ${rel}: ${h}\n")
        endforeach()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "A layer includes a header of a layer above it:\n${faults}")
endif()
