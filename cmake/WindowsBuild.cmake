# Windows build: the real module divazivir.dll and the host orvane.exe that loads it.
enable_language(RC)

add_compile_options(-Wall -Wextra)
# The C and C++ runtimes go into each binary, so that only system DLLs and the host are imported.
set(DIVAZIVIR_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# Sets VARIABLE to the path of one of the cross compiler's own files.
function(cross_compiler_file variable name)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "the cross compiler has no ${name}")
  endif()
  set(${variable} ${path} PARENT_SCOPE)
endfunction()

# The host's services, imported by the module from orvane.exe under their plain names.
set(ORVANE_DEF ${CMAKE_SOURCE_DIR}/module/host/orvane.def)
set(ORVANE_IMPORT_LIBRARY ${CMAKE_BINARY_DIR}/liborvane.a)
# Made in the build folder under a relative name: dlltool names its symbols after the path it is
# given, and the unstripped DLL keeps them.
add_custom_command(
  OUTPUT ${ORVANE_IMPORT_LIBRARY}
  COMMAND ${CMAKE_DLLTOOL} -d ${ORVANE_DEF} -l liborvane.a -k
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${ORVANE_DEF}
  COMMENT "Making the import library of orvane.exe")
add_custom_target(orvane_import_library DEPENDS ${ORVANE_IMPORT_LIBRARY})

# The dialog templates (divazivir.rc) and the version resource (version.rc).
file(GLOB DIVAZIVIR_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/module/resources/*.rc)

add_library(divazivir SHARED ${DIVAZIVIR_MODULE_SOURCES} ${DIVAZIVIR_STACK_GUARD_SOURCE}
            ${DIVAZIVIR_RESOURCES} ${CMAKE_SOURCE_DIR}/module/shell/divazivir.def)
# The linker writes the DLL with its symbols and debug information into symbols/, for reading crash
# addresses; the release divazivir.dll is that same file stripped.
set_target_properties(divazivir PROPERTIES PREFIX "" OUTPUT_NAME divazivir
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/symbols)
# Stripped with the PE header's date fixed and section names cut to the eight characters the header
# holds (.eh_fram), as a DLL linked without symbols has them.
add_custom_command(TARGET divazivir POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
          ${CMAKE_OBJCOPY} --strip-all --long-section-names disable $<TARGET_FILE:divazivir>
          ${CMAKE_BINARY_DIR}/divazivir.dll
  COMMENT "Stripping the release divazivir.dll")
target_include_directories(divazivir PRIVATE ${CMAKE_SOURCE_DIR}/module
                           ${CMAKE_SOURCE_DIR}/module/resources)
add_dependencies(divazivir orvane_import_library)
target_link_options(divazivir PRIVATE ${DIVAZIVIR_STATIC_RUNTIME} -Wl,--enable-stdcall-fixup)
# The DLL starts with the runtime's own start-up object alone. The compiler's crtbegin.o and
# crtend.o would look for another component's libgcc_s_dw2-1.dll at load and, when it is there,
# load it under the loader lock and register the module's unwind tables with it; nothing in the
# module throws or unwinds, so they have nothing to do.
cross_compiler_file(DLL_STARTUP_OBJECT dllcrt2.o)
target_link_options(divazivir PRIVATE -nostartfiles ${DLL_STARTUP_OBJECT})
target_link_libraries(divazivir PRIVATE ${ORVANE_IMPORT_LIBRARY} user32 advapi32)

# The release DLL is small and reproducible: optimised for size, every function and object in a
# section of its own so that the linker drops what nothing calls, no link timestamp, and no path of
# the build machine (the source and build folders are mapped to fixed names). Debug information
# goes only into the unstripped copy; it does not change the code.
target_compile_options(divazivir PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:-Os -g -ffunction-sections -fdata-sections ${DIVAZIVIR_MODULE_OPTIONS}
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=divazivir -ffile-prefix-map=${CMAKE_BINARY_DIR}=build>)
target_link_options(divazivir PRIVATE -Wl,--gc-sections -Wl,--no-insert-timestamp)
# Hardened as audit tools expect of a plug-in: no SEH handler (the code unwinds with DWARF tables
# and has none), a relocatable image, data never executable, the GUI subsystem, and a stack guard
# in every function that keeps an array or lends out a local's address. The guard and its handler
# are the module's own (stack_guard.cpp), so the runtime's, which loads a DLL to seed it, stays out.
target_compile_options(divazivir PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fstack-protector-strong>)
target_link_options(divazivir PRIVATE -Wl,--no-seh -Wl,--dynamicbase -Wl,--nxcompat
                    -Wl,--subsystem,windows)

# Header-only libraries of the build machine, seen by the cross compiler without the rest of
# /usr/include.
set(HOST_HEADERS_DIR ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${HOST_HEADERS_DIR})
foreach(headers nlohmann CLI)
  if(NOT EXISTS /usr/include/${headers})
    message(FATAL_ERROR "/usr/include/${headers} is missing: install nlohmann-json3-dev and libcli11-dev")
  endif()
  file(CREATE_LINK /usr/include/${headers} ${HOST_HEADERS_DIR}/${headers} SYMBOLIC)
endforeach()

file(GLOB STANDIN_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/core/*.cpp)
file(GLOB STANDIN_WINDOWS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/windows/*.cpp)

if(NOT EXISTS ${CMAKE_SOURCE_DIR}/standin/windows/main.cpp)
  return()
endif()

# The host exports its services by plain name, as the module's import library names them: the same
# list, made the executable's own (NAME; LIBRARY would mark the image as a DLL).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORVANE_DEF})
file(READ ${ORVANE_DEF} ORVANE_EXPORTS)
string(REGEX REPLACE "(^|\n)LIBRARY[ \t]+" "\\1NAME " ORVANE_EXPORTS "${ORVANE_EXPORTS}")
set(ORVANE_EXE_DEF ${CMAKE_BINARY_DIR}/orvane-exports.def)
file(WRITE ${ORVANE_EXE_DEF} "${ORVANE_EXPORTS}")

add_executable(orvane ${STANDIN_CORE_SOURCES} ${STANDIN_WINDOWS_SOURCES})
set_target_properties(orvane PROPERTIES OUTPUT_NAME orvane RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(orvane PRIVATE ${CMAKE_SOURCE_DIR}/standin ${CMAKE_SOURCE_DIR}/module)
target_include_directories(orvane SYSTEM PRIVATE ${HOST_HEADERS_DIR})
# wmain: the command line comes in UTF-16 and is handed on as UTF-8.
target_link_options(orvane PRIVATE ${DIVAZIVIR_STATIC_RUNTIME} -municode -Wl,--kill-at
                    ${ORVANE_EXE_DEF})
set_property(TARGET orvane APPEND PROPERTY LINK_DEPENDS ${ORVANE_EXE_DEF})
target_link_libraries(orvane PRIVATE user32 advapi32 comctl32)
add_dependencies(orvane divazivir)

# The MinGW shared runtime that another component of a host may bring, beside orvane.exe for its
# --preload: the Wine scenarios load it before the module.
cross_compiler_file(FOREIGN_RUNTIME_DLL libgcc_s_dw2-1.dll)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/libgcc_s_dw2-1.dll
  COMMAND ${CMAKE_COMMAND} -E copy ${FOREIGN_RUNTIME_DLL} ${CMAKE_BINARY_DIR}/libgcc_s_dw2-1.dll
  DEPENDS ${FOREIGN_RUNTIME_DLL})
add_custom_target(foreign_runtime ALL DEPENDS ${CMAKE_BINARY_DIR}/libgcc_s_dw2-1.dll)

# The control table of tests/controls on the platform's own controls, built from the module's
# dialog templates; the native build's ctest runs it under Wine.
add_executable(control_table ${CMAKE_SOURCE_DIR}/tests/windows/control_table_main.cpp
               ${CMAKE_SOURCE_DIR}/tests/controls/control_table.cpp
               ${CMAKE_SOURCE_DIR}/tests/controls/control_cases.cpp
               ${CMAKE_SOURCE_DIR}/standin/windows/key_state.cpp ${DIVAZIVIR_RESOURCES})
set_target_properties(control_table PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(control_table PRIVATE ${CMAKE_SOURCE_DIR}/module
                           ${CMAKE_SOURCE_DIR}/module/resources ${CMAKE_SOURCE_DIR}/standin/windows)
target_link_options(control_table PRIVATE ${DIVAZIVIR_STATIC_RUNTIME})
target_link_libraries(control_table PRIVATE user32 comctl32)

# The load/unload cycles of tests/windows, in an executable named orvane.exe (the module imports
# the host's services from it) of its own folder; the native build's ctest runs it under Wine.
add_executable(load_cycles ${CMAKE_SOURCE_DIR}/tests/windows/load_cycles_main.cpp)
set_target_properties(load_cycles PROPERTIES OUTPUT_NAME orvane
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/load-cycles)
target_include_directories(load_cycles PRIVATE ${CMAKE_SOURCE_DIR}/module)
target_link_options(load_cycles PRIVATE ${DIVAZIVIR_STATIC_RUNTIME} -Wl,--kill-at ${ORVANE_EXE_DEF})
set_property(TARGET load_cycles APPEND PROPERTY LINK_DEPENDS ${ORVANE_EXE_DEF})
target_link_libraries(load_cycles PRIVATE advapi32)
