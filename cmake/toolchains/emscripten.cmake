# WebAssembly builds: emscripten's own toolchain file, and node to run the programs it makes.
#
# Debian's emscripten and node by default. Another emscripten is named by the cache variable
# RUVO_EMSCRIPTEN_ROOT, or else by EMSCRIPTEN_ROOT in the environment: the folder that holds emcc
# and cmake/Modules/Platform/Emscripten.cmake. With neither, an emsdk whose emsdk_env.sh has set
# EMSDK is used. Node is named by RUVO_NODE, or else by EMSDK_NODE in the environment.
if(NOT RUVO_EMSCRIPTEN_ROOT)
    if(DEFINED ENV{EMSCRIPTEN_ROOT})
        set(root "$ENV{EMSCRIPTEN_ROOT}")
    elseif(DEFINED ENV{EMSDK})
        set(root "$ENV{EMSDK}/upstream/emscripten")
    else()
        set(root /usr/share/emscripten)
    endif()
    set(RUVO_EMSCRIPTEN_ROOT "${root}" CACHE PATH
        "The emscripten folder, holding emcc and cmake/Modules/Platform/Emscripten.cmake")
endif()
if(NOT RUVO_NODE)
    if(DEFINED ENV{EMSDK_NODE})
        set(node "$ENV{EMSDK_NODE}")
    else()
        set(node /usr/bin/node)
    endif()
    # Also the node of the browser tests (tests/web), which look for it under this name.
    set(RUVO_NODE "${node}" CACHE FILEPATH "node, to run the WebAssembly programs and tests")
endif()
# try_compile projects read this file again, without this project's cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RUVO_EMSCRIPTEN_ROOT RUVO_NODE)

set(platform "${RUVO_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")
if(NOT EXISTS "${platform}")
    message(FATAL_ERROR "No emscripten at ${RUVO_EMSCRIPTEN_ROOT} (no ${platform}): set "
        "RUVO_EMSCRIPTEN_ROOT or EMSCRIPTEN_ROOT to the folder that holds emcc")
endif()

# Where node has fetch, the runtime of Debian's emscripten fetches the .wasm beside a program,
# which fails for a file; without it, the runtime reads the file. Set before emscripten's file,
# which would otherwise choose a node of its own; a -DCMAKE_CROSSCOMPILING_EMULATOR is kept.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${RUVO_NODE};--no-experimental-fetch")
endif()
set(EMSCRIPTEN_SYSTEM_PROCESSOR wasm32)
include("${platform}")
