# What `cmake --install` puts where: the module under its versioned name,
# the HTML library and the layout-settings stand-in under the names their
# hosts look for, the public headers, the tool with its manual page, and
# what a host's build needs to find the library: a CMake package
# (buildtagexpr::buildtagexpr) and a pkg-config file. The components
# (runtime, development, tool) are the Debian packages. InstallPreflight
# comes first.
include(CMakePackageConfigHelpers)

# libbuildtagexpr.so.0 -> libbuildtagexpr.so.0.1.0, and the HTML library
# likewise. The layout-settings stand-in keeps its plain name: the module
# looks it up by exactly that name.
set_target_properties(buildtagexpr pagesift PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
set_target_properties(buildtagexpr PROPERTIES EXPORT_NAME buildtagexpr)

# Installed binaries find the HTML library beside them or in ../lib,
# wherever the prefix is.
file(RELATIVE_PATH bin_to_lib "/${CMAKE_INSTALL_BINDIR}" "/${CMAKE_INSTALL_LIBDIR}")
set_target_properties(buildtagexpr PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(buildtags PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")

install(TARGETS buildtagexpr pagesift EXPORT buildtagexprTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS layoutsettings LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime)
install(TARGETS buildtags RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)

install(FILES include/buildtagexpr.h include/buildtagexpr_com.h include/buildtagexpr_export.h
  include/buildtagexpr_host.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
# The HTML library's headers that its document classes need (pagesift.h and
# what it includes), for hosts that parse the topics they filter.
install(FILES pagesift/pagesift.h pagesift/pagesift_export.h pagesift/byte_string.h
  pagesift/containment_rules.h pagesift/html_pack.h pagesift/popup_anchor.h
  pagesift/tag_codes.h pagesift/token_item.h
  pagesift/token_list.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pagesift COMPONENT development)

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/buildtagexpr)
install(EXPORT buildtagexprTargets NAMESPACE buildtagexpr::
  DESTINATION ${package_dir} COMPONENT development)
configure_package_config_file(cmake/buildtagexprConfig.cmake.in
  ${PROJECT_BINARY_DIR}/buildtagexprConfig.cmake INSTALL_DESTINATION ${package_dir})
# 0.x releases: only the same minor version is compatible.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/buildtagexprConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/buildtagexprConfig.cmake
  ${PROJECT_BINARY_DIR}/buildtagexprConfigVersion.cmake
  DESTINATION ${package_dir} COMPONENT development)

# The pkg-config file finds the prefix from its own place, so that it stays
# right under `cmake --install --prefix` and DESTDIR.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pc_to_prefix "/${pc_dir}" "/")
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
configure_file(cmake/buildtagexpr.pc.in ${PROJECT_BINARY_DIR}/buildtagexpr.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/buildtagexpr.pc DESTINATION ${pc_dir} COMPONENT development)

include(cmake/ManPage.cmake)
