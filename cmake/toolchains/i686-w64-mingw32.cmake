# 32-bit Windows with Debian's mingw-w64; programs run under wine where the
# 32-bit Wine (wine32) is installed.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(BTE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# /usr/bin/wine alone runs 64-bit programs only; wine32 brings this loader.
find_program(BTE_WINE32_LOADER wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(BTE_WINE32_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BTE_WINE32_LOADER})
endif()
