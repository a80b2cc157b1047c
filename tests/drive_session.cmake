# Runs one scripted ruvo drive session and compares what it prints with the .expected file
# beside it. The session's first line names the command line: "# ruvo drive --today DATE".
file(STRINGS ${SESSION} lines LIMIT_COUNT 1)
string(REGEX REPLACE "^# ruvo drive ?" "" arguments "${lines}")
separate_arguments(arguments)
# EMULATOR runs a program of another platform's build: node for WebAssembly.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
execute_process(COMMAND ${emulator} ${RUVO} drive ${arguments}
    INPUT_FILE ${SESSION} OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
string(REGEX REPLACE "\\.drive$" ".expected" expected_file ${SESSION})
if(UPDATE)
    file(WRITE ${expected_file} "${output}")
    return()
endif()
file(READ ${expected_file} expected)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "ruvo drive exited with ${result}: ${errors}")
endif()
if(NOT output STREQUAL expected)
    file(WRITE ${SESSION}.actual "${output}")
    message(FATAL_ERROR "the session printed other lines than ${expected_file}; see ${SESSION}.actual")
endif()
