cmake_minimum_required(VERSION 3.25)
# Checks every #include "folder/..." of the product folders against the
# layering below: a folder may include itself and the folders in its row.
# The rows run from the bottom (the public header) to the top (the module's
# exports, then the tool); the README's layout section reads the same.
set(layers
  "include:"
  "platform:include"
  "com:include"
  "pagesift:include platform"
  "layoutsettings:include platform com"
  "expr:include com"
  "rtffilter:include platform com"
  "htmlfilter:include platform com expr pagesift"
  "store:include platform com expr layoutsettings"
  "editor:include platform com expr"
  "uicontrols:include"
  "win32dialog:include editor uicontrols"
  "module:include com expr rtffilter htmlfilter store editor win32dialog"
  "projectbuild:include platform pagesift expr rtffilter store"
  "cli:include editor projectbuild")
# Folders that are not the product.
set(outside tests bench fuzz samples examples tools)

set(rows)
foreach(layer IN LISTS layers)
  string(REPLACE ":" ";" parts "${layer}")
  list(GET parts 0 folder)
  list(APPEND rows ${folder})
  set(allowed_${folder} ${folder})
  list(LENGTH parts count)
  if(count GREATER 1)
    list(GET parts 1 below)
    string(REPLACE " " ";" below "${below}")
    list(APPEND allowed_${folder} ${below})
  endif()
endforeach()

set(problems)
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
foreach(folder IN LISTS entries)
  if(NOT IS_DIRECTORY ${ROOT}/${folder} OR folder MATCHES "^(\\.|build)" OR folder IN_LIST outside)
    continue()
  endif()
  file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  if(NOT files)
    continue()
  endif()
  if(NOT folder IN_LIST rows)
    list(APPEND problems "${folder}/ has no row in the layering")
    continue()
  endif()
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" included "${line}")
      if(included MATCHES "/")
        string(REGEX REPLACE "/.*" "" target "${included}")
      elseif(EXISTS ${ROOT}/include/${included})
        set(target include)
      else()
        continue()  # beside the including file
      endif()
      if(NOT target IN_LIST allowed_${folder})
        file(RELATIVE_PATH name ${ROOT} ${file})
        list(APPEND problems "${name} includes ${included}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "includes against the layering:\n  ${text}")
endif()
