# Registers Ruvo.ocx for the user alone, as regsvr32 /n /i:user does without administrator rights:
# everything goes to the user's classes and nothing to the machine's, and /u /n /i:user leaves both
# exactly as they were. Unregistering what is not registered succeeds, twice over.
set(clsid "{91D8DA75-C08D-49C2-9F51-E01CCF404893}")
set(libid "{1E996BCB-0BAE-41A2-A048-89BE89075C48}")
set(user "HKCU\\Software\\Classes")
set(machine "HKLM\\Software\\Classes")

include(${CMAKE_CURRENT_LIST_DIR}/wine_run.cmake)

# A Windows profile has these keys; a fresh Wine prefix does not.
foreach(key CLSID TypeLib Interface)
    run(reg add "${user}\\${key}" /f)
endforeach()
run(regsvr32 /s /u ${OCX})
run(regsvr32 /s /u ${OCX})
run(reg export "${user}" ${WORK}-user-before.reg /y)
run(reg export "${machine}" ${WORK}-machine-before.reg /y)

run(regsvr32 /s /n /i:user ${OCX})
run(reg query "${user}\\CLSID\\${clsid}\\InprocServer32")
string(FIND "${output}" "${OCX}" found)
if(found EQUAL -1)
    message(FATAL_ERROR "the user's class does not name ${OCX}:\n${output}")
endif()
run(reg query "${user}\\TypeLib\\${libid}\\${TYPELIB_VERSION}\\409\\win64")
execute_process(COMMAND ${WINE} reg query "${machine}\\CLSID\\${clsid}" RESULT_VARIABLE result
    OUTPUT_QUIET ERROR_QUIET)
if(result EQUAL 0)
    message(FATAL_ERROR "registering for the user wrote the machine's classes")
endif()

run(regsvr32 /s /u /n /i:user ${OCX})
run(reg export "${user}" ${WORK}-user-after.reg /y)
run(reg export "${machine}" ${WORK}-machine-after.reg /y)
foreach(classes user machine)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}-${classes}-before.reg
        ${WORK}-${classes}-after.reg RESULT_VARIABLE different)
    if(different)
        execute_process(COMMAND diff -a ${WORK}-${classes}-before.reg ${WORK}-${classes}-after.reg
            OUTPUT_VARIABLE changes)
        message(FATAL_ERROR "the ${classes}'s classes changed:\n${changes}")
    endif()
endforeach()
