# Run by `cmake --install` before it copies anything: stops with one clear
# message when a destination folder cannot be written, instead of failing
# halfway with some files installed. BTE_INSTALL_DIRS lists the folders,
# relative to the prefix. Asks test(1), so only where there is one.
if(NOT CMAKE_HOST_UNIX)
  return()
endif()
foreach(dir IN LISTS BTE_INSTALL_DIRS)
  if(IS_ABSOLUTE "${dir}")
    set(path "$ENV{DESTDIR}${dir}")
  else()
    set(path "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${dir}")
  endif()
  # The folder, or the nearest existing folder above it, which install
  # would create it in.
  while(NOT EXISTS "${path}")
    get_filename_component(path "${path}" DIRECTORY)
    if(path STREQUAL "")
      set(path .)
    endif()
  endwhile()
  execute_process(COMMAND test -d "${path}" -a -w "${path}" RESULT_VARIABLE denied)
  if(denied)
    message(FATAL_ERROR "cannot install into ${CMAKE_INSTALL_PREFIX}: no write access to ${path}. "
      "Install as a user who may write there (sudo cmake --install ...), "
      "or choose another prefix (cmake --install BUILD --prefix DIR, make install PREFIX=DIR).")
  endif()
endforeach()
