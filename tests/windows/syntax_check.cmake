cmake_minimum_required(VERSION 3.25)
# Compiles each of SOURCES ("target>file relative to ROOT") for Windows with
# COMPILER, with the target's definitions (DEFINITIONS/<target>.definitions).
# A file in PENDING must fail, every other one must compile cleanly.
if(NOT COMPILER)
  message("skipped: no mingw-w64 cross compiler (x86_64-w64-mingw32-g++) installed")
  return()
endif()

set(failures)
foreach(entry IN LISTS SOURCES)
  string(REPLACE ">" ";" parts "${entry}")
  list(GET parts 0 target)
  list(GET parts 1 file)
  file(STRINGS ${DEFINITIONS}/${target}.definitions definitions)
  list(TRANSFORM definitions PREPEND -D)
  execute_process(
    COMMAND ${COMPILER} -std=c++17 -fsyntax-only -Wall -Wextra -Werror ${definitions}
            -I${ROOT}/include -I${ROOT} -isystem ${SHIM} ${ROOT}/${file}
    RESULT_VARIABLE failed ERROR_VARIABLE errors OUTPUT_QUIET)
  list(FIND PENDING ${file} pending)
  if(failed AND pending EQUAL -1)
    list(APPEND failures ${file})
    message("${file} does not compile for Windows:\n${errors}")
  elseif(NOT failed AND NOT pending EQUAL -1)
    list(APPEND failures ${file})
    message("${file} compiles for Windows now: take it off the pending list")
  elseif(failed)
    message("${file}: pending")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "Windows syntax check failed for: ${failures}")
endif()
