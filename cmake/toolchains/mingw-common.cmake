# Shared part of the mingw-w64 toolchain files: BTE_MINGW_TRIPLET names the
# target. The -posix compilers are the ones whose C++ runtime has
# std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER ${BTE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_C_COMPILER ${BTE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_RC_COMPILER ${BTE_MINGW_TRIPLET}-windres)
set(CMAKE_DLLTOOL ${BTE_MINGW_TRIPLET}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${BTE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
