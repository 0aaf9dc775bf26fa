# Shared helpers for the project's targets.

# Our own code: strict warnings, includes from the repository root. Warnings
# become errors only with DIGMAZE_WERROR (the project's scripts and CI switch it
# on), so a build with another compiler or build type is not stopped by them.
function(digmaze_code target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(DIGMAZE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
  else()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  endif()
endfunction()

# digmaze_library(name SOURCES ... [LINKS ...]): one static library per
# subsystem folder. LINKS are the libraries it calls, all below it in the
# order of the top-level CMakeLists.txt; they are private (every target
# includes from the repository root anyway) and still reach the final link.
# Every such library is listed for the layering check in tests/tools.
function(digmaze_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  digmaze_code(${name})
  if(ARG_LINKS)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  endif()
  set_property(GLOBAL APPEND PROPERTY DIGMAZE_LIBRARIES ${name})
endfunction()

find_package(GTest REQUIRED)
include(GoogleTest)

# The main() every test program shares: it sets the headless defaults (dummy
# SDL drivers, the source and game folders of this build) unless the caller set
# them already.
add_library(digmaze_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp)
digmaze_code(digmaze_test_main)
target_link_libraries(digmaze_test_main PUBLIC GTest::gtest GTest::gmock)
target_compile_definitions(digmaze_test_main PRIVATE
  DIGMAZE_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  DIGMAZE_TEST_GAME_DIR="${DIGMAZE_GAME_DIR}")

# Helpers every test program can include from tests/support: temporary
# folders, whole-file reads and writes, byte builders, memory-stream round
# trips, and guards that put process-wide state back after a test.
add_library(digmaze_test_support INTERFACE)
target_include_directories(digmaze_test_support INTERFACE ${PROJECT_SOURCE_DIR})
target_link_libraries(digmaze_test_support INTERFACE GTest::gtest)

# digmaze_test(name SOURCES ... LINKS ...): a GoogleTest program registered with
# CTest. Every test has a timeout so a hang fails instead of blocking CI.
function(digmaze_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINKS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  digmaze_code(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} digmaze_test_main digmaze_test_support)
  # Some tests read the game folder the build stages (fonts, maps, help), so a
  # test built on its own stages it too.
  if(EXISTS ${CMAKE_SOURCE_DIR}/data)
    add_dependencies(${name} stage_data)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
