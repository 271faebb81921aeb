# GoogleTest for the tests, with CMake's GoogleTest module: the installed package on
# the build machine; for a cross build, which has no GoogleTest for its target, built
# here from Debian's sources.
set(VELMORA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")

include(GoogleTest)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()

if(NOT EXISTS ${VELMORA_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${VELMORA_GTEST_SOURCE_DIR} (Debian: libgtest-dev)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Its own CMake files name the targets GTest::gtest, GTest::gmock and so on, as the package does.
add_subdirectory(${VELMORA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A test program under wine can take seconds to start on a busy machine: more than
# the five seconds GoogleTest allows for listing its cases by default.
function(gtest_discover_tests target)
  _gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 ${ARGN})
endfunction()
