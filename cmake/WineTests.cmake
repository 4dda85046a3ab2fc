# Test executables run under Wine (the toolchain's emulator) from ctest.
include(GoogleTest)

# Windows form of a host path (Wine maps / to Z:), with a trailing backslash.
function(to_wine_path out path)
  string(REPLACE "/" "\\\\" _p "${path}")
  set(${out} "Z:${_p}\\\\" PARENT_SCOPE)
endfunction()

to_wine_path(WINE_DIST_DIR ${DIST_DIR})
to_wine_path(WINE_SOURCE_DIR ${CMAKE_SOURCE_DIR})
configure_file(${CMAKE_SOURCE_DIR}/cmake/test_paths.h.in ${CMAKE_BINARY_DIR}/generated/test_paths.h)

# orvane_add_test(<name> SOURCES ... LIBS ... [TIMEOUT s] [LOCK resource])
# LOCK: tests holding the same resource never run at the same time (e.g.
# "desktop" for tests that move the one cursor or need their window in front).
function(orvane_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT;LOCK" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(_props TIMEOUT ${T_TIMEOUT})
  if(T_LOCK)
    list(APPEND _props RESOURCE_LOCK ${T_LOCK})
  endif()
  # Under Wine a test process that dies (a stack overflow, for one) can still
  # end with code 0: only Google Test's own count of one passed test passes.
  list(APPEND _props PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\.")
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock_main)
  # The program folder must be complete before any test runs against it.
  add_dependencies(${name} dist_ready)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ${_props})
endfunction()

# Folders add what they put into dist/ to this target.
add_custom_target(dist_ready ALL)
