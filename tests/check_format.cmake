# Fails when a C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources
    ${SOURCE_DIR}/host/*.h ${SOURCE_DIR}/host/*.cpp
    ${SOURCE_DIR}/dating/*.h ${SOURCE_DIR}/dating/*.cpp
    ${SOURCE_DIR}/control/*.h ${SOURCE_DIR}/control/*.cpp
    ${SOURCE_DIR}/workflow/*.h ${SOURCE_DIR}/workflow/*.cpp
    ${SOURCE_DIR}/pickers/*.h ${SOURCE_DIR}/pickers/*.cpp
    ${SOURCE_DIR}/hosting/*.h ${SOURCE_DIR}/hosting/*.cpp
    ${SOURCE_DIR}/apps/*.h ${SOURCE_DIR}/apps/*.cpp
    ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp
    ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp
    ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Run clang-format -i on the files named above.")
endif()
