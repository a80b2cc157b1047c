# Compiler settings shared by every target, and the helper that makes one static library per
# folder, so the link graph shows which folder may use which.

add_library(ruvo_compile_options INTERFACE)
target_compile_options(ruvo_compile_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual
    # Designated initializers leave the other fields at their defaults on purpose.
    -Wno-missing-field-initializers
    # The formulas round every operation to double, one after the other; never fuse a multiply and
    # an add.
    -ffp-contract=off)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports string concatenations at -O3 as overlapping copies (its bug 105329).
    target_compile_options(ruvo_compile_options INTERFACE -Wno-restrict)
endif()
if(RUVO_WARNINGS_AS_ERRORS)
    target_compile_options(ruvo_compile_options INTERFACE -Werror)
endif()
if(RUVO_SANITIZE)
    target_compile_options(ruvo_compile_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(ruvo_compile_options INTERFACE -fsanitize=address,undefined)
endif()
if(WIN32)
    # COM objects are destroyed through Release, never through an interface pointer, and the
    # Windows headers' macros (FAILED, MAKEINTRESOURCE, ...) expand to C casts.
    target_compile_options(ruvo_compile_options INTERFACE -Wno-non-virtual-dtor -Wno-old-style-cast)
    # Ruvo.ocx and the test programs need only the system's DLLs (-static takes winpthread too).
    target_link_options(ruvo_compile_options INTERFACE -static-libgcc -static-libstdc++ -static)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$" AND NOT EMSCRIPTEN)
    # The x87 unit keeps excess precision; SSE2 rounds every operation to double, as required.
    target_compile_options(ruvo_compile_options INTERFACE -msse2 -mfpmath=sse)
endif()

if(EMSCRIPTEN)
    # Without a flag emscripten turns every throw into an abort; the control reports its errors
    # by exceptions, so every object file and every link takes WebAssembly's own.
    add_compile_options(-fwasm-exceptions)
    add_link_options(-fwasm-exceptions)
endif()

# ruvo_node_program(<target>): a program of the WebAssembly build runs under node, with the
# machine's files and as much memory as it needs, as the native program would.
function(ruvo_node_program target)
    if(EMSCRIPTEN)
        target_link_options(${target} PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1)
    endif()
endfunction()

set(RUVO_EXPORTED_LIBRARIES "" CACHE INTERNAL "")

# ruvo_add_library(<name> SOURCES <files...> [HEADERS <files...>] [DEPENDS <Ruvo:: targets...>])
# Builds the static library ruvo_<name> (alias Ruvo::<name>) and installs its headers (by default
# every header of the folder) under include/ruvo/<folder>.
function(ruvo_add_library name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;HEADERS;DEPENDS")
    set(target ruvo_${name})
    add_library(${target} STATIC ${ARG_SOURCES})
    add_library(Ruvo::${name} ALIAS ${target})
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${name} POSITION_INDEPENDENT_CODE ON)
    # The headers need C++20, so whoever links a library compiles with it too.
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/ruvo>)
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE $<BUILD_INTERFACE:ruvo_compile_options>)
    set(headers ${ARG_HEADERS})
    if(NOT headers)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    endif()
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ruvo/${folder})
    set(RUVO_EXPORTED_LIBRARIES ${RUVO_EXPORTED_LIBRARIES} ${target} CACHE INTERNAL "")
endfunction()
