# Cross-builds for 32-bit Windows. Nothing built here runs on this machine's kernel.
set(RUVO_MINGW_TARGET i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
