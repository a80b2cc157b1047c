# The installer's round trips under Wine, silently: for the current user (no rights needed) and
# for all users. Each installs both controls and registers what this Windows can run; the
# uninstaller leaves the registry as it was and no folder behind. Wine looks up classes in the
# machine's registry only, so the control is created by its ProgID after the all-users install.
set(clsid "{91D8DA75-C08D-49C2-9F51-E01CCF404893}")
set(exports "HKCU\\Software" "HKLM\\Software\\Classes"
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion")

include(${CMAKE_CURRENT_LIST_DIR}/wine_run.cmake)

function(export_registry when)
    set(index 0)
    foreach(key ${exports})
        run(reg export "${key}" ${WORK}-${index}-${when}.reg /y)
        math(EXPR index "${index} + 1")
    endforeach()
endfunction()

# The folder a Windows path names, on this machine.
function(unix_path windows variable)
    run(winepath -u "${windows}")
    set(${variable} "${output}" PARENT_SCOPE)
endfunction()

function(uninstall folder)
    unix_path("${folder}\\Uninstall.exe" uninstaller)
    if(NOT EXISTS "${uninstaller}")
        message(FATAL_ERROR "no uninstaller at ${folder}")
    endif()
    run("${folder}\\Uninstall.exe" /S ${ARGN})
    unix_path("${folder}" unix_folder)
    # The uninstaller runs on from a copy of itself; it is done when the folder is gone.
    foreach(attempt RANGE 100)
        if(NOT EXISTS "${unix_folder}")
            return()
        endif()
        execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
    endforeach()
    message(FATAL_ERROR "the uninstaller left ${unix_folder}")
endfunction()

# The keys that Windows and a user's profile hold, which the installer writes into and shares with
# other programs; a fresh Wine prefix lacks some of them.
foreach(key "HKCU\\Software\\Classes\\CLSID" "HKCU\\Software\\Classes\\TypeLib"
        "HKCU\\Software\\Classes\\Interface"
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
        "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
    run(reg add "${key}" /f)
endforeach()
export_registry(before)

run(cmd /c "echo %LOCALAPPDATA%")
set(user_folder "${output}\\Programs\\Ruvo")
run(${INSTALLER} /S)
run(reg query "HKCU\\Software\\Classes\\CLSID\\${clsid}\\InprocServer32")
string(FIND "${output}" "${user_folder}\\x64\\Ruvo.ocx" found)
if(found EQUAL -1)
    message(FATAL_ERROR "the user's class does not name the installed control:\n${output}")
endif()
uninstall("${user_folder}")

run(cmd /c "echo %ProgramFiles%")
set(machine_folder "${output}\\Ruvo")
run(${INSTALLER} /S /AllUsers)
run(cscript //nologo ${SCRIPT})
string(FIND "${output}" " 0 failed" passed)
if(passed EQUAL -1)
    message(FATAL_ERROR "the installed control does not answer a script:\n${output}")
endif()
uninstall("${machine_folder}" /AllUsers)

export_registry(after)
set(index 0)
foreach(key ${exports})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}-${index}-before.reg
        ${WORK}-${index}-after.reg RESULT_VARIABLE different)
    if(different)
        execute_process(COMMAND diff -a ${WORK}-${index}-before.reg ${WORK}-${index}-after.reg
            OUTPUT_VARIABLE changes)
        message(FATAL_ERROR "${key} changed:\n${changes}")
    endif()
    math(EXPR index "${index} + 1")
endforeach()
file(SIZE ${INSTALLER_FILE} size)
message(STATUS "the installer: ${size} bytes; both round trips leave the registry as it was")
