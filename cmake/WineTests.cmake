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

# Tests run through a wrapper that picks the Wine prefix and display of the
# desktop ctest gives the test (see orvane_add_test's DESKTOP).
if(WINE_EXECUTABLE)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-on-desktop.sh.in ${CMAKE_BINARY_DIR}/wine-on-desktop.sh
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                 @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-on-desktop.sh)
  set(ORVANE_ON_DESKTOP ${CMAKE_BINARY_DIR}/wine-on-desktop.sh)
endif()

# orvane_add_test(<name> SOURCES ... LIBS ... [TIMEOUT s] [DESKTOP])
# DESKTOP: the test moves the cursor, needs its window in front or runs a
# program that must be alone on its machine; it gets a desktop of its own
# (one of ctest's "desktops" resources), which no other test shares while
# it runs. Each Google Test case is one ctest test, found in the sources.
function(orvane_add_test name)
  cmake_parse_arguments(T "DESKTOP" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock_main)
  # The program folder must be complete before any test runs against it.
  add_dependencies(${name} dist_ready)
  gtest_add_tests(TARGET ${name} SOURCES ${T_SOURCES} TEST_LIST cases)
  set(_props TIMEOUT ${T_TIMEOUT})
  if(T_DESKTOP)
    list(APPEND _props RESOURCE_GROUPS desktops:1 LABELS desktop)
  endif()
  # Under Wine a test process that dies (a stack overflow, for one) can still
  # end with code 0: only Google Test's own count of one passed test passes.
  list(APPEND _props PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\." SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test")
  set_tests_properties(${cases} PROPERTIES ${_props})
endfunction()

# orvane_add_test_folder(<prefix> <folder> LIBS ... [DESKTOP name...] [TIMEOUT s] [TARGETS var])
# One test program per <folder>/test_*.cpp, named <prefix>_<file>, which finds
# the headers beside it; the files named after DESKTOP get a desktop of their
# own. TARGETS names a variable that receives the programs made.
function(orvane_add_test_folder prefix folder)
  cmake_parse_arguments(F "" "TIMEOUT;TARGETS" "LIBS;DESKTOP" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/test_*.cpp)
  set(made)
  foreach(src ${sources})
    get_filename_component(name ${src} NAME_WE)
    set(extra)
    if(name IN_LIST F_DESKTOP)
      list(APPEND extra DESKTOP)
    endif()
    if(F_TIMEOUT)
      list(APPEND extra TIMEOUT ${F_TIMEOUT})
    endif()
    orvane_add_test(${prefix}_${name} SOURCES ${src} LIBS ${F_LIBS} ${extra})
    target_include_directories(${prefix}_${name} PRIVATE ${folder})
    list(APPEND made ${prefix}_${name})
  endforeach()
  if(F_TARGETS)
    set(${F_TARGETS} ${made} PARENT_SCOPE)
  endif()
endfunction()

# Folders add what they put into dist/ to this target.
add_custom_target(dist_ready ALL)
