# One CTest test per GoogleTest suite of a Wine test program, in each Windows
# family's prefix. Starting a Wine process costs more than most of our tests,
# so the tests of a suite share one; the suite's output names any test that
# fails, crashes or hangs. The suites are listed when CTest starts (the program
# has to be built and a prefix ready for that), and again only once the
# program or the listing script is newer than the list.
#
#   wine_test_suites(<target> PREFIX_ROOT <dir> FAMILIES xp 98 [TIMEOUT <seconds>])
#
# Each family's tests run in <dir>/<family>, one at a time (RESOURCE_LOCK
# wine-<family>), and are named <family>.<Suite>.
set(_WINE_TEST_SUITES_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/WineTestSuitesAddTests.cmake")

function(wine_test_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX_ROOT;TIMEOUT" "FAMILIES")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(_executable [==[$<TARGET_FILE:${target}>]==])
set(_emulator [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==])
set(_working_dir [==[${CMAKE_CURRENT_BINARY_DIR}]==])
set(_suite_list [==[${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.txt]==])
set(_prefix_root [==[${arg_PREFIX_ROOT}]==])
set(_families [==[${arg_FAMILIES}]==])
set(_timeout [==[${arg_TIMEOUT}]==])
include([==[${_WINE_TEST_SUITES_SCRIPT}]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
