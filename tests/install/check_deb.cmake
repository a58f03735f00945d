# Builds the Debian package into a fresh folder and checks that its control data
# declares the libraries the programs link (found by dpkg-shlibdeps) and the
# font and display plug-ins no library names, and that it holds the programs.
# Usage: cmake -DBUILD=... -DWORK=... -P check_deb.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${WORK}/tallix_*.deb)
if(NOT rc EQUAL 0 OR NOT debs)
    message(FATAL_ERROR "cpack -G DEB (exit ${rc}) made no package:\n${out}")
endif()

execute_process(COMMAND dpkg-deb --field ${debs} Depends OUTPUT_VARIABLE depends)
foreach(package libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-dejavu-core
                qt6-qpa-plugins)
    if(NOT depends MATCHES "(^|, )${package}( |,|\n|$)")
        message(SEND_ERROR "Depends lacks ${package}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE contents)
foreach(file ./usr/bin/tallix ./usr/bin/tallix-cli ./usr/share/applications/tallix.desktop
             ./usr/share/doc/tallix/help/index.html)
    string(FIND "${contents}" " ${file}\n" at)
    if(at EQUAL -1)
        message(SEND_ERROR "the package lacks ${file}")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
