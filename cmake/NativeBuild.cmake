# Native build: the module's sources linked into the stand-in host, tests and benchmarks.
if(DIVAZIVIR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra)

find_package(nlohmann_json 3 REQUIRED)
find_package(CLI11 CONFIG REQUIRED)

# The Windows API subset and the host's services that the native stand-in host supplies.
file(GLOB STANDIN_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/core/*.cpp)
file(GLOB STANDIN_NATIVE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/native/*.cpp)
list(REMOVE_ITEM STANDIN_NATIVE_SOURCES ${CMAKE_SOURCE_DIR}/standin/native/main.cpp)

add_library(standin_native STATIC ${STANDIN_CORE_SOURCES} ${STANDIN_NATIVE_SOURCES})
target_include_directories(standin_native
  PUBLIC ${CMAKE_SOURCE_DIR}/standin/native/include ${CMAKE_SOURCE_DIR}/standin ${CMAKE_SOURCE_DIR}/module)
target_link_libraries(standin_native PUBLIC nlohmann_json::nlohmann_json CLI11::CLI11)

add_library(divazivir_module STATIC ${DIVAZIVIR_MODULE_SOURCES})
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
  if(TARGET orvane-sim AND TARGET unit_tests)
    add_dependencies(unit_tests orvane-sim)
    target_compile_definitions(unit_tests PRIVATE
      ORVANE_SIM_PATH="$<TARGET_FILE:orvane-sim>"
      SCENARIO_SOURCE_DIR="${CMAKE_SOURCE_DIR}/tests/scenarios"
      SCENARIO_OUTPUT_DIR="${CMAKE_BINARY_DIR}/scenarios/native")
  endif()
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
