# Helpers shared by every folder's CMakeLists.txt.

# Warnings are errors in our own code; outside libraries are included as SYSTEM.
function(jokepad_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Wunused -Woverloaded-virtual -Werror)
  # GCC 12 at -O3 reports std::string's own operator+ as an overlapping copy (GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# A library target named after its folder; sources are the folder's .cpp files but main.cpp,
# which is the thin main of the folder's program, if it has one.
function(jokepad_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
  if(NOT _sources)
    # A folder whose code has not been written yet still takes part in the graph.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${_sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE CXX)
  jokepad_warnings(${target})
endfunction()

# One GoogleTest executable per library under tests/, named <library>_tests.
function(jokepad_tests target)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT _sources)
    return()
  endif()
  add_executable(${target} ${_sources})
  target_link_libraries(${target} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    JOKEPAD_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    JOKEPAD_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  jokepad_warnings(${target})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "JOKEPAD_REGISTRY=${CMAKE_BINARY_DIR}/test-registry")
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/Resources.cmake)
