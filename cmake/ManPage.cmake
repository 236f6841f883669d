# buildtags.1, written by help2man from the tool's --help and --version
# output (with the sections of buildtags.h2m), so it never falls behind the
# tool. Without help2man there is no manual page to build or install.
find_program(HELP2MAN help2man)
if(NOT HELP2MAN OR CMAKE_CROSSCOMPILING)
  message(STATUS "help2man not found: the manual page buildtags.1 is neither built nor installed")
  return()
endif()
add_custom_command(OUTPUT buildtags.1
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
          "--name=check, evaluate and apply build tag expressions"
          --include=${CMAKE_CURRENT_LIST_DIR}/buildtags.h2m
          --output=buildtags.1 $<TARGET_FILE:buildtags>
  DEPENDS buildtags ${CMAKE_CURRENT_LIST_DIR}/buildtags.h2m
  VERBATIM)
add_custom_target(buildtags_man ALL DEPENDS buildtags.1)
install(FILES ${PROJECT_BINARY_DIR}/buildtags.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
