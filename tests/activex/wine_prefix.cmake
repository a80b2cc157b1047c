# Makes the private Wine prefix the Windows tests run in, once.
if(NOT EXISTS $ENV{WINEPREFIX}/system.reg)
    execute_process(COMMAND ${WINE} wineboot -i RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "wineboot -i failed in $ENV{WINEPREFIX}")
    endif()
endif()
