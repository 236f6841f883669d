# 32-bit Windows with Debian's mingw-w64; programs run under wine where the
# 32-bit Wine (wine32) is installed.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(BTE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# /usr/bin/wine alone runs 64-bit programs only; wine32 brings this loader.
# It is itself a 32-bit Linux program: a kernel without 32-bit support has
# the package installed and still cannot start it, so it is tried first.
find_program(BTE_WINE32_LOADER wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(BTE_WINE32_LOADER)
  execute_process(COMMAND ${BTE_WINE32_LOADER} --version RESULT_VARIABLE wine32_status
    OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
  if(wine32_status EQUAL 0)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-start.sh ${BTE_WINE32_LOADER})
  endif()
endif()
