# The product: a 32-bit Windows program built with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VEMO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
