# Which suites of a --gtest_list_tests listing become CTest tests: plain, typed
# and parameterised ones; not disabled suites, nor suites whose every test is
# disabled. Run with cmake -P.
set(SUITES_FUNCTIONS_ONLY ON)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/TestSuitesAddTests.cmake)

string(CONCAT listing
  "Running main() from WineTestMain.cpp\r\n"
  "Settings.\r\n"
  "  KeysLieUnderTheVendorKey\r\n"
  "  OnlyTheBooleanTrueDeletes\r\n"
  "Typed/0.  # TypeParam = int\r\n"
  "  Works\r\n"
  "Values/Param.\r\n"
  "  Holds/0  # GetParam() = 1\r\n"
  "  Holds/1  # GetParam() = 2\r\n"
  "DISABLED_HarnessProbe.\r\n"
  "  Fails\r\n"
  "AllDisabled.\r\n"
  "  DISABLED_Later\r\n"
  "Tray.\r\n"
  "  DISABLED_Later\r\n"
  "  ClicksReachTheHostOncePerPause\r\n")
_suites_parse("${listing}" suites)
set(expected "Settings;Typed/0;Values/Param;Tray")
if(NOT suites STREQUAL expected)
  message(FATAL_ERROR "Suites: \"${suites}\"\nexpected: \"${expected}\"")
endif()
