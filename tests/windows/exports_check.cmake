cmake_minimum_required(VERSION 3.25)
# Checks the Windows build in BUILD (x86 or x64) with OBJDUMP: the module
# exports exactly the six undecorated entry points, and every DLL a module
# of the build imports is part of Windows or ships in the build folder.
if(NOT EXISTS ${BUILD}/buildtagexpr.dll)
  message("skipped: no Windows build in ${BUILD} (make windows)")
  return()
endif()
if(NOT OBJDUMP)
  message("skipped: no mingw-w64 objdump installed")
  return()
endif()

set(expected CreateBuildTagExprEditorInstance CreateBuildTagExprFilterInstance
  CreateBuildTagExprManagerInstance CreateBuildTagExprParserInstance
  CreateRTFBuildTagExprFilterInstance GetRTFBuildTagIdentidy)

function(read_table file out_exports out_imports)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${OBJDUMP} -p ${file} failed")
  endif()
  # The name table lists one export a line: "\t[   0] Name".
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(\t\\[ *[0-9]+\\] [^\n]*\n)*"
         names "${table}")
  string(REGEX MATCHALL "\\] [^\n]+" exports "${names}")
  list(TRANSFORM exports REPLACE "^\\] " "")
  list(SORT exports)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${table}")
  list(TRANSFORM imports REPLACE "^DLL Name: " "")
  set(${out_exports} "${exports}" PARENT_SCOPE)
  set(${out_imports} "${imports}" PARENT_SCOPE)
endfunction()

set(system_dlls kernel32.dll msvcrt.dll ole32.dll oleaut32.dll user32.dll advapi32.dll)

set(failures)
read_table(${BUILD}/buildtagexpr.dll exports imports)
if(NOT exports STREQUAL expected)
  list(APPEND failures "buildtagexpr.dll exports [${exports}], not [${expected}]")
endif()
foreach(file buildtagexpr.dll pagesift.dll PublishProfiles.dll buildtags.exe)
  if(NOT EXISTS ${BUILD}/${file})
    list(APPEND failures "${file} was not built")
    continue()
  endif()
  read_table(${BUILD}/${file} exports imports)
  foreach(import IN LISTS imports)
    string(TOLOWER "${import}" name)
    if(NOT name IN_LIST system_dlls AND NOT EXISTS ${BUILD}/${import})
      list(APPEND failures "${file} needs ${import}, which is neither Windows's nor shipped")
    endif()
  endforeach()
endforeach()
if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${failures}")
endif()
message("${BUILD}: six exports; every import is Windows's or shipped")
