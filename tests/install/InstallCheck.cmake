# Installs the build into a fresh temporary prefix and runs the installed programs from
# there: heskmon must find the installed sample projects (not the source tree's), the
# window program must answer --version, and the desktop entry, icon, manual and fault
# tables must be in their places.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DVERSION=... -P InstallCheck.cmake
foreach(var BUILD_DIR PREFIX VERSION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}): ${err}")
endif()

foreach(file
        bin/HESKMonitor bin/heskmon bin/hesk-drive-sim
        share/heskmonitor/projects/VRA1/VRA1V11418/VRA1V11418.tmprj
        share/heskmonitor/faults/inverter.tsv
        share/heskmonitor/docs/manual/index.html
        share/heskmonitor/translations/heskmonitor_en.qm
        share/applications/heskmonitor.desktop
        share/icons/hicolor/scalable/apps/heskmonitor.svg
        share/icons/hicolor/64x64/apps/heskmonitor.png)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# The installed heskmon looks in <prefix>/share/heskmonitor/projects first; an environment
# variable naming another root would hide that.
unset(ENV{HESK_PROJECTS_DIR})
execute_process(COMMAND "${PREFIX}/bin/heskmon" project find VRA1 V1.14.18
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "${PREFIX}/share/heskmonitor/projects/VRA1/VRA1V11418/VRA1V11418.tmprj")
string(FIND "${out}" "${expected}" at)
if(NOT rc EQUAL 0 OR at EQUAL -1 OR NOT out MATCHES "\\(installation\\)")
    message(FATAL_ERROR "installed heskmon did not find the installed project (${rc}):\n${out}${err}")
endif()

execute_process(COMMAND "${PREFIX}/bin/heskmon" project info "${expected}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "V1\\.14\\.18")
    message(FATAL_ERROR "installed heskmon could not read the installed project (${rc}):\n${out}${err}")
endif()

set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${PREFIX}/bin/HESKMonitor" --version
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "HESKMonitor ${VERSION}")
    message(FATAL_ERROR "installed HESKMonitor --version (${rc}):\n${out}${err}")
endif()
message(STATUS "installed into ${PREFIX}; heskmon and HESKMonitor ${VERSION} run from there")
