# run(ARGUMENTS...): runs a Windows program under Wine (the WINE variable), ends the script when
# it fails, and leaves what it printed, trimmed, in output.
function(run)
    execute_process(COMMAND ${WINE} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
        ERROR_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed: ${result}\n${output}")
    endif()
    string(STRIP "${output}" output)
    set(output "${output}" PARENT_SCOPE)
endfunction()
