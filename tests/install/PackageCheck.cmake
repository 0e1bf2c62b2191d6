# Builds the Debian package of the build with cpack and checks what it holds: the three
# programs under /usr/bin, the sample projects, the desktop entry, and dependencies on
# the Debian Qt packages the programs link.
#
#   cmake -DBUILD_DIR=... -DOUT_DIR=... -P PackageCheck.cmake
foreach(var BUILD_DIR OUT_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")
execute_process(COMMAND cpack --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT_DIR}"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed (${rc}):\n${out}${err}")
endif()
file(GLOB debs "${OUT_DIR}/heskmonitor_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one heskmonitor_*.deb in ${OUT_DIR}, found ${count}:\n${out}")
endif()

execute_process(COMMAND dpkg-deb --field ${debs} Depends RESULT_VARIABLE rc OUTPUT_VARIABLE depends)
foreach(package libqt6widgets6 libqt6serialport6 libqt6network6 fonts-wqy-microhei)
    if(NOT depends MATCHES "${package}")
        message(FATAL_ERROR "the package does not depend on ${package}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --contents ${debs} RESULT_VARIABLE rc OUTPUT_VARIABLE contents)
foreach(path ./usr/bin/HESKMonitor ./usr/bin/heskmon ./usr/bin/hesk-drive-sim
        ./usr/share/heskmonitor/projects/VRA1/VRA1V11418/VRA1V11418.tmprj
        ./usr/share/applications/heskmonitor.desktop)
    string(FIND "${contents}" "${path}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${path}")
    endif()
endforeach()
message(STATUS "${debs}: ${depends}")
