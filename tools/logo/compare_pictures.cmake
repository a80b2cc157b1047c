execute_process(COMMAND ${TOOL} ${OUT}/logo.bmp ${OUT}/toolbox.bmp RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "draw_logo failed")
endif()
foreach(picture logo.bmp toolbox.bmp)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${picture} ${KEPT}/${picture}
        RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${picture} differs from what tools/logo draws; run draw_logo "
            "hosting/resources/logo.bmp hosting/resources/toolbox.bmp")
    endif()
endforeach()
