# Registers and unregisters Ruvo.ocx, and checks the registry's classes are exactly as they were
# before. Runs before the other tests, whose script host registers type libraries of its own, and
# starts from an unregistered control whatever an earlier run left in the prefix.
execute_process(COMMAND ${WINE} regsvr32 /u /s ${OCX} OUTPUT_QUIET ERROR_QUIET)
foreach(step "reg|export|HKLM\\Software\\Classes|${BEFORE}|/y" "regsvr32|/s|${OCX}"
        "regsvr32|/u|/s|${OCX}" "reg|export|HKLM\\Software\\Classes|${AFTER}|/y")
    string(REPLACE "|" ";" command "${step}")
    execute_process(COMMAND ${WINE} ${command} RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${command} failed: ${result}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BEFORE} ${AFTER}
    RESULT_VARIABLE different)
if(different)
    execute_process(COMMAND diff -a ${BEFORE} ${AFTER} OUTPUT_VARIABLE changes)
    message(FATAL_ERROR "unregistration left the registry changed:\n${changes}")
endif()
