# Compares the names MODULE exports with the expected list: the six entry
# points, plus on POSIX the task-allocator and system-string helpers that
# Windows supplies itself. Reads an ELF shared object with nm and a Windows
# DLL (PE) with objdump; a DLL must list the names undecorated (no @16).
set(entry_points
  CreateBuildTagExprEditorInstance CreateBuildTagExprFilterInstance
  CreateBuildTagExprManagerInstance CreateBuildTagExprParserInstance
  CreateRTFBuildTagExprFilterInstance GetRTFBuildTagIdentidy)

set(found)
if(MODULE MATCHES "\\.dll$")
  set(expected ${entry_points})
  execute_process(COMMAND objdump -p ${MODULE} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
  # The names follow the "[Ordinal/Name Pointer] Table" heading, one per line.
  string(REGEX REPLACE ".*\\[Ordinal/Name Pointer\\] Table\n" "" table "${table}")
  string(REGEX REPLACE "\n\n.*" "" table "${table}")
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" lines "${table}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${line}")
    list(APPEND found ${name})
  endforeach()
else()
  set(expected ${entry_points} CoTaskMemAlloc CoTaskMemFree
    SysAllocString SysAllocStringLen SysFreeString SysStringLen)
  execute_process(COMMAND nm -D --defined-only ${MODULE}
                  OUTPUT_VARIABLE table RESULT_VARIABLE failed)
  string(REGEX MATCHALL "[0-9a-f]+ [A-Za-z] [^\n]+" lines "${table}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${line}")
    string(REGEX REPLACE "@.*$" "" name "${name}")  # symbol versions
    list(APPEND found ${name})
  endforeach()
endif()
if(failed)
  message(FATAL_ERROR "cannot read the export table of ${MODULE}")
endif()

list(SORT expected)
list(SORT found)
list(REMOVE_DUPLICATES found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exported symbols differ\n expected: ${expected}\n found: ${found}")
endif()
