# 32-bit Windows with Debian's mingw-w64; programs run under wine where the
# 32-bit Wine (wine32) is installed.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(BTE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(BTE_WINE32 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(BTE_WINE32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BTE_WINE32})
endif()
