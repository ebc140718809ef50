# SPDX-License-Identifier: AGPL-3.0-or-later
# One-line helpers so that each folder's CMake file says only what is particular to it.

# quintaro_library(<folder> [DEPS targets...])
# Builds every .cpp of <folder> into the library quintaro_<folder> (alias quintaro::<folder>).
# A folder without sources yet becomes an interface target, so later layers can already link it.
function(quintaro_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target quintaro_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
  add_library(quintaro::${folder} ALIAS ${target})
endfunction()

# quintaro_test_suite(<name> [DEPS targets...])
# Builds every .cpp of the current tests folder into one GoogleTest program and registers its tests.
function(quintaro_test_suite name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} quintaro_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE QUINTARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                               QUINTARO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
endfunction()
