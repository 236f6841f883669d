# 64-bit Windows with Debian's mingw-w64; programs run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BTE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(BTE_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(BTE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-start.sh ${BTE_WINE64})
endif()
