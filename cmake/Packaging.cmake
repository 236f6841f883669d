# `make deb`: one Debian package per install component, through CPack.
# libbuildtagexpr0 holds the libraries, libbuildtagexpr-dev what a host's
# build needs, buildtags the tool; Depends come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME buildtagexpr)
set(CPACK_PACKAGE_VENDOR "buildtagexpr")
set(CPACK_PACKAGE_CONTACT "buildtagexpr developers <buildtagexpr@localhost>")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development tool)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The tool and the module find the HTML library in the runtime package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/pagesift)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)
set(CPACK_COMPONENT_TOOL_DEPENDS runtime)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libbuildtagexpr${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "build tag expressions for help authoring (libraries)
The module that compiles build tag expressions, keeps a project's
expressions and removes excluded content from HTML topics and RTF
documents; its HTML library; the stand-in output-layout settings library.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libbuildtagexpr-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "build tag expressions for help authoring (development files)
Headers, CMake package (buildtagexpr::buildtagexpr) and pkg-config file
for hosts of the buildtagexpr module.")
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME buildtags)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION text)
set(CPACK_DEBIAN_TOOL_DESCRIPTION "build tag expressions for help authoring (command-line tool)
buildtags builds one target's output folder from a help project, filters
HTML topics and RTF documents, checks and evaluates expressions and edits
a project's stored expressions.")

include(CPack)
