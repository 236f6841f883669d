# The first install rule: before anything is copied, every destination
# folder must be writable (CheckInstallAccess.cmake), so that a prefix
# without write access ends the install with one clear message and no
# files half installed. Included before any subdirectory adds its rules.
include(GNUInstallDirs)
set(BTE_INSTALL_DIRS ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_LIBDIR} ${CMAKE_INSTALL_INCLUDEDIR}
  ${CMAKE_INSTALL_MANDIR})
install(CODE "
  set(BTE_INSTALL_DIRS \"${BTE_INSTALL_DIRS}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/CheckInstallAccess.cmake\")")
