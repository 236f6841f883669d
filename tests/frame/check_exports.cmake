# Compares the defined dynamic symbols of MODULE with the expected list.
execute_process(COMMAND nm -D --defined-only ${MODULE}
                OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
set(expected
  CoTaskMemAlloc CoTaskMemFree
  CreateBuildTagExprEditorInstance CreateBuildTagExprFilterInstance
  CreateBuildTagExprManagerInstance CreateBuildTagExprParserInstance
  CreateRTFBuildTagExprFilterInstance GetRTFBuildTagIdentidy
  SysAllocString SysAllocStringLen SysFreeString SysStringLen)
string(REGEX MATCHALL "[0-9a-f]+ [A-Za-z] [^\n]+" lines "${table}")
set(found)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${line}")
  string(REGEX REPLACE "@.*$" "" name "${name}")
  list(APPEND found ${name})
endforeach()
list(SORT found)
list(REMOVE_DUPLICATES found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exported symbols differ\n expected: ${expected}\n found: ${found}")
endif()
