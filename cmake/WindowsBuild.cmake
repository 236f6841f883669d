# What a Windows (mingw-w64) build does differently, before any target is
# made: libraries are named as Windows names them, the C++ runtime is
# linked into every module so that a DLL needs nothing beside it but the
# system, and the tool's header-only libraries come from the build
# machine without the rest of its system headers.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_SUFFIX ".lib")
# Every DLL and program in one folder, as they are shipped and as Windows
# finds a program's DLLs.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # -static takes libstdc++, libgcc and winpthread from their archives; the
  # system DLLs (kernel32, msvcrt, ole32, oleaut32) are imported as always.
  # An exception thrown in the module (FilterFile's) still reaches a host's
  # handler: 64-bit unwinding is the system's, across every module.
  add_link_options(-static)
else()
  # 32-bit unwinding is the C++ runtime's own (DWARF tables registered with
  # libgcc): with a static copy in the module and another in the host, an
  # exception cannot leave the module. So the runtime DLLs ship beside it.
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_dw2-1.dll
    OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
  find_file(BTE_WINPTHREAD_DLL libwinpthread-1.dll PATHS /usr/${BTE_MINGW_TRIPLET}/lib
    NO_CMAKE_FIND_ROOT_PATH)
  set(BTE_RUNTIME_DLLS ${libstdcxx} ${libgcc} ${BTE_WINPTHREAD_DLL})
  foreach(dll IN LISTS BTE_RUNTIME_DLLS)
    if(NOT EXISTS ${dll})
      message(FATAL_ERROR "C++ runtime DLL ${dll} not found")
    endif()
    file(COPY ${dll} DESTINATION ${PROJECT_BINARY_DIR})
  endforeach()
  # 32-bit entry points are stdcall; Windows modules export them without
  # the "@bytes" ending, and GetProcAddress looks them up that way.
  add_link_options(-Wl,--kill-at)
endif()

set(shim ${PROJECT_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${shim})
foreach(library CLI11::CLI11:CLI/CLI.hpp nlohmann_json::nlohmann_json:nlohmann/json.hpp)
  string(REGEX MATCH "[^:]+$" header ${library})
  string(REGEX REPLACE ":[^:]+$" "" target ${library})
  string(REGEX REPLACE "/.*" "" folder ${header})
  find_path(BTE_${folder}_INCLUDE ${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
  if(NOT BTE_${folder}_INCLUDE)
    message(FATAL_ERROR "${header} not found: install the build machine's package for it")
  endif()
  if(NOT EXISTS ${shim}/${folder})
    file(CREATE_LINK ${BTE_${folder}_INCLUDE}/${folder} ${shim}/${folder} SYMBOLIC)
  endif()
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${shim})
endforeach()
