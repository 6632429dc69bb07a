# One CTest test per GoogleTest suite of a test program. Starting a process
# (a Wine one above all, but an instrumented native one too) costs more than
# most of our tests, so the tests of a suite share one; the suite's output
# names any test that fails, crashes or hangs. The suites are listed when CTest
# starts (the program has to be built, and for Wine a prefix ready), and again
# only once the program or the listing script is newer than the list.
#
#   test_suites(<target> FAMILIES <family>... [PREFIX_ROOT <dir>] [TIMEOUT <seconds>])
#
# The tests are named <family>.<Suite>. With PREFIX_ROOT each family is a Wine
# prefix, <dir>/<family>, whose tests run one at a time (RESOURCE_LOCK
# wine-<family>); without it the program runs natively.
set(_TEST_SUITES_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/TestSuitesAddTests.cmake")

function(test_suites target)
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
include([==[${_TEST_SUITES_SCRIPT}]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
