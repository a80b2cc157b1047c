# Cross-builds for 64-bit Windows. Tests run under Wine, which runs 64-bit programs here.
set(RUVO_MINGW_TARGET x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
