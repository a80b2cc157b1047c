# Installs the build into a scratch prefix, then configures, builds and runs a small host
# application that finds the package with find_package(Ruvo).
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${WORK_DIR}/prefix
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
# Qt Test is for the tests alone: nothing installed needs it, the demo included, which drives its
# screenshots with Qt's own events.
file(GLOB installed_programs ${WORK_DIR}/prefix/bin/*)
file(GLOB_RECURSE installed_modules ${WORK_DIR}/prefix/*.so)
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${installed_programs} MODULES ${installed_modules}
    RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
set(test_library ${resolved} ${unresolved})
list(FILTER test_library INCLUDE REGEX "Qt6Test")
if(test_library)
    message(FATAL_ERROR "an installed program or plugin needs ${test_library}, which only the "
        "tests may link")
endif()
if(QT AND NOT EXISTS ${WORK_DIR}/prefix/bin/moravine-demo)
    message(FATAL_ERROR "moravine-demo is not installed")
endif()

# A sanitized build installs sanitized libraries; their users link the sanitizer runtime too.
set(link_flags "")
if(SANITIZE)
    set(link_flags "-fsanitize=address,undefined")
endif()
# Each step is one command, its words separated by "|".
set(configure "${CMAKE_COMMAND}|-G|${GENERATOR}|-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix|-DCMAKE_EXE_LINKER_FLAGS=${link_flags}")
set(steps
    "${configure}|-S|${SOURCE_DIR}/tests/install/consumer|-B|${WORK_DIR}/build"
    "${CMAKE_COMMAND}|--build|${WORK_DIR}/build"
    "${WORK_DIR}/build/consumer")
if(QT)
    list(APPEND steps
        "${configure}|-S|${SOURCE_DIR}/tests/install/qt_consumer|-B|${WORK_DIR}/qt_build"
        "${CMAKE_COMMAND}|--build|${WORK_DIR}/qt_build"
        "${WORK_DIR}/qt_build/qt_consumer")
endif()
list(APPEND steps "${WORK_DIR}/prefix/bin/ruvo|datenice|2006-10-26")
foreach(step IN LISTS steps)
    string(REPLACE "|" ";" command "${step}")
    execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE output
        ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${command} failed: ${output}${errors}")
    endif()
endforeach()
if(NOT output STREQUAL "26 October 2006\n")
    message(FATAL_ERROR "the installed ruvo printed '${output}'")
endif()
