# The Windows modules once every target exists: the module's entry point,
# its exports (exactly the six of module/buildtagexpr.def), the system
# libraries behind the system strings, and on 32 bits an import library
# that a host's compiler can link.
target_sources(buildtagexpr PRIVATE ${PROJECT_SOURCE_DIR}/module/dll_main_win32.cpp
  ${PROJECT_SOURCE_DIR}/module/buildtagexpr.def)
target_include_directories(buildtagexpr PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(buildtagexpr PRIVATE ole32 oleaut32 comctl32 gdi32)
# The editor dialog as real windows, with the stand-ins of the host's UI
# libraries.
add_subdirectory(${PROJECT_SOURCE_DIR}/win32dialog ${PROJECT_BINARY_DIR}/win32dialog)
add_subdirectory(${PROJECT_SOURCE_DIR}/uicontrols ${PROJECT_BINARY_DIR}/uicontrols)
target_link_libraries(buildtagexpr_static PUBLIC ole32 oleaut32)
# Programs linked with the static library (the tool) call the entry points
# as code of their own, not as imports from the module.
target_compile_definitions(buildtagexpr_static INTERFACE BUILDTAGEXPR_BUILDING)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def names the stdcall entry points without their "@bytes"; ld binds
  # each to its decorated symbol.
  target_link_options(buildtagexpr PRIVATE -Wl,--enable-stdcall-fixup)
  # ld's own import library names the undecorated exports, which a 32-bit
  # host's stdcall calls cannot reach; dlltool -k makes one that can.
  add_custom_command(TARGET buildtagexpr POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} -k -d ${PROJECT_SOURCE_DIR}/module/buildtagexpr_x86.def
            -D buildtagexpr.dll -l $<TARGET_LINKER_FILE_NAME:buildtagexpr>
    WORKING_DIRECTORY $<TARGET_LINKER_FILE_DIR:buildtagexpr>
    VERBATIM)
endif()

# The program that plays the host; the Linux build runs it under Wine.
add_subdirectory(tests/windows/host)
add_subdirectory(tests/windows/profile)
add_subdirectory(tests/windows/dialog)

# The dialog template and string table as Windows resources. The build
# machine's compiler builds the script writer from editor/resources.cpp, so
# that the rows there are the one source (and no Wine is needed), and the
# cross windres compiles its script into an object the module links.
find_program(BTE_BUILD_MACHINE_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH)
if(NOT BTE_BUILD_MACHINE_CXX)
  message(FATAL_ERROR "no C++ compiler for the build machine: the resource script needs one")
endif()
set(resources ${PROJECT_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${resources})
add_custom_command(OUTPUT ${resources}/write_resource_script
  COMMAND ${BTE_BUILD_MACHINE_CXX} -std=c++17 -I${PROJECT_SOURCE_DIR}
          -o ${resources}/write_resource_script
          ${PROJECT_SOURCE_DIR}/tools/write_resource_script.cpp
          ${PROJECT_SOURCE_DIR}/editor/resources.cpp
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/write_resource_script.cpp
          ${PROJECT_SOURCE_DIR}/editor/resources.cpp ${PROJECT_SOURCE_DIR}/editor/resources.h
  VERBATIM)
add_custom_command(OUTPUT ${resources}/expression_dialog.rc
  COMMAND ${resources}/write_resource_script ${resources}/expression_dialog.rc
  DEPENDS ${resources}/write_resource_script
  VERBATIM)
add_custom_command(OUTPUT ${resources}/buildtagexpr_rc.o
  COMMAND ${CMAKE_RC_COMPILER} -I${resources} -i ${PROJECT_SOURCE_DIR}/module/buildtagexpr.rc
          -o ${resources}/buildtagexpr_rc.o
  DEPENDS ${PROJECT_SOURCE_DIR}/module/buildtagexpr.rc ${resources}/expression_dialog.rc
  VERBATIM)
target_sources(buildtagexpr PRIVATE ${resources}/buildtagexpr_rc.o)
