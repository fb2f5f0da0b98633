# Native build: the module's sources linked into the stand-in host, tests and benchmarks.
if(DIVAZIVIR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra)

find_package(nlohmann_json 3 REQUIRED)
find_package(CLI11 CONFIG REQUIRED)

# The host's services and the Win32 calls that the native stand-in host supplies, declared by
# Wine's Windows headers; only the functions the module and the host call are defined here.
file(GLOB STANDIN_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/core/*.cpp)
file(GLOB STANDIN_NATIVE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/native/*.cpp)
list(REMOVE_ITEM STANDIN_NATIVE_SOURCES ${CMAKE_SOURCE_DIR}/standin/native/main.cpp)

add_library(standin_native STATIC ${STANDIN_CORE_SOURCES} ${STANDIN_NATIVE_SOURCES})
find_path(WINE_WINDOWS_INCLUDE windows.h PATHS /usr/include/wine/wine/windows NO_DEFAULT_PATH)
if(NOT WINE_WINDOWS_INCLUDE)
  message(FATAL_ERROR "The Windows API headers are missing: install libwine-dev")
endif()
target_include_directories(standin_native SYSTEM PUBLIC ${WINE_WINDOWS_INCLUDE})
target_include_directories(standin_native
  PUBLIC ${CMAKE_SOURCE_DIR}/standin ${CMAKE_SOURCE_DIR}/module)
target_link_libraries(standin_native PUBLIC nlohmann_json::nlohmann_json CLI11::CLI11)

# Dialog templates: the module's resource script compiled by the Windows resource compiler, and
# the bytes of the .res embedded in the native host, whose dialogs are built from them.
find_program(DIVAZIVIR_WINDRES NAMES i686-w64-mingw32-windres windres)
if(NOT DIVAZIVIR_WINDRES)
  message(FATAL_ERROR "i686-w64-mingw32-windres is missing: install binutils-mingw-w64-i686")
endif()
set(DIVAZIVIR_RES ${CMAKE_BINARY_DIR}/divazivir.res)
set(DIVAZIVIR_RES_SOURCE ${CMAKE_BINARY_DIR}/generated/module_resources.cpp)
add_custom_command(
  OUTPUT ${DIVAZIVIR_RES}
  COMMAND ${DIVAZIVIR_WINDRES} -I ${CMAKE_SOURCE_DIR}/module/resources
          -i ${CMAKE_SOURCE_DIR}/module/resources/divazivir.rc -O res -o ${DIVAZIVIR_RES}
  DEPENDS ${CMAKE_SOURCE_DIR}/module/resources/divazivir.rc
          ${CMAKE_SOURCE_DIR}/module/resources/resource_ids.h
          ${CMAKE_SOURCE_DIR}/module/resources/version.h
  COMMENT "Compiling the dialog templates")
add_custom_command(
  OUTPUT ${DIVAZIVIR_RES_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${DIVAZIVIR_RES} -DOUTPUT=${DIVAZIVIR_RES_SOURCE}
          -DSYMBOL=kModuleResourceBytes -DSIZE_SYMBOL=kModuleResourceSize -P ${CMAKE_SOURCE_DIR}/cmake/EmbedBytes.cmake
  DEPENDS ${DIVAZIVIR_RES} ${CMAKE_SOURCE_DIR}/cmake/EmbedBytes.cmake
  COMMENT "Embedding the dialog templates")
target_sources(standin_native PRIVATE ${DIVAZIVIR_RES_SOURCE})

add_library(divazivir_module STATIC ${DIVAZIVIR_MODULE_SOURCES})
target_compile_options(divazivir_module PRIVATE ${DIVAZIVIR_MODULE_OPTIONS})
# In the host's process a local starts as whatever the stack held; here it starts as a pattern,
# not as the zeros a fresh native stack tends to hold, so a field the module never writes shows.
target_compile_options(divazivir_module PRIVATE -ftrivial-auto-var-init=pattern)
target_include_directories(divazivir_module PUBLIC ${CMAKE_SOURCE_DIR}/module)
target_link_libraries(divazivir_module PUBLIC standin_native)

if(EXISTS ${CMAKE_SOURCE_DIR}/standin/native/main.cpp)
  add_executable(orvane-sim ${CMAKE_SOURCE_DIR}/standin/native/main.cpp)
  # The module's entry points must stay linked in even though only the host calls them.
  target_link_libraries(orvane-sim PRIVATE -Wl,--whole-archive divazivir_module -Wl,--no-whole-archive standin_native)
endif()

enable_testing()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/CMakeLists.txt)
  add_subdirectory(tests)
  # The scenario suite runs the real orvane-sim and keeps its outputs for the Windows build to
  # compare against.
  set(DIVAZIVIR_NATIVE_SCENARIO_DIR ${CMAKE_BINARY_DIR}/scenarios/native)
  if(TARGET orvane-sim AND TARGET unit_tests)
    add_dependencies(unit_tests orvane-sim)
    target_compile_definitions(unit_tests PRIVATE
      ORVANE_SIM_PATH="$<TARGET_FILE:orvane-sim>"
      SCENARIO_SOURCE_DIR="${CMAKE_SOURCE_DIR}/tests/scenarios"
      SCENARIO_OUTPUT_DIR="${DIVAZIVIR_NATIVE_SCENARIO_DIR}")
  endif()
  # The resource test reads the compiled templates back, and those of a built DLL when named.
  if(TARGET unit_tests)
    set(DIVAZIVIR_DLL "" CACHE FILEPATH "divazivir.dll whose dialog resources the tests also check")
    target_compile_definitions(unit_tests PRIVATE DIVAZIVIR_RES_PATH="${DIVAZIVIR_RES}"
                               DIVAZIVIR_DLL_PATH="${DIVAZIVIR_DLL}")
  endif()
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# --- Hardening ---------------------------------------------------------------------------------
# The fault-injection suite; with DIVAZIVIR_FUZZ=ON (clang only) also the libFuzzer targets.
option(DIVAZIVIR_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/faults/CMakeLists.txt)
  add_subdirectory(tests/faults)
endif()
if(DIVAZIVIR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "DIVAZIVIR_FUZZ needs clang++: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_subdirectory(tests/fuzz)
endif()
