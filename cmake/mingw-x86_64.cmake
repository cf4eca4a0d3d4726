# The same sources as a 64-bit Windows build: the Wine tests run this one on
# machines whose kernel cannot execute 32-bit code (see scripts/wine-env.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VEMO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
