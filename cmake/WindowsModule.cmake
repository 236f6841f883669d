# The Windows modules once every target exists: the module's entry point,
# its exports (exactly the six of module/buildtagexpr.def), the system
# libraries behind the system strings, and on 32 bits an import library
# that a host's compiler can link.
target_sources(buildtagexpr PRIVATE ${PROJECT_SOURCE_DIR}/module/dll_main_win32.cpp
  ${PROJECT_SOURCE_DIR}/module/buildtagexpr.def)
target_include_directories(buildtagexpr PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(buildtagexpr PRIVATE ole32 oleaut32)
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
