# Read by CTest through the include file that test_suites() writes, with
# _executable, _emulator, _working_dir, _suite_list, _prefix_root, _families
# and _timeout set: lists the program's suites when the list is missing or
# older than the program or this script, then adds one test per family and suite.

# A test that fails with this message, so that a program that cannot be listed
# shows in CTest's summary instead of silently running nothing.
function(_suites_failed message)
  foreach(family IN LISTS _families)
    add_test("${family}.ListTestSuites" sh -c "printf '%s\\n' \"$1\" >&2; exit 1" sh "${message}")
  endforeach()
endfunction()

# The enabled suites of a --gtest_list_tests listing: "Suite." (a typed suite
# adds "  # TypeParam = ...") and then its tests indented by two spaces.
function(_suites_parse listing out)
  string(REPLACE "\r" "" listing "${listing}")
  string(REPLACE ";" "" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(suite "")
  set(suites "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ ]+)\\.(  #.*)?$")
      set(suite "${CMAKE_MATCH_1}")
    elseif(suite AND line MATCHES "^  ([^ ]+)")
      set(test "${CMAKE_MATCH_1}")
      if(NOT suite MATCHES "(^|/)DISABLED_" AND NOT test MATCHES "^DISABLED_")
        list(APPEND suites "${suite}")
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  set(${out} "${suites}" PARENT_SCOPE)
endfunction()

if(SUITES_FUNCTIONS_ONLY)
  return()  # the harness's own test calls the functions above
endif()

if(NOT EXISTS "${_executable}")
  _suites_failed("${_executable} is not built")
  return()
endif()

if(NOT EXISTS "${_suite_list}" OR "${_executable}" IS_NEWER_THAN "${_suite_list}" OR
   "${CMAKE_CURRENT_LIST_FILE}" IS_NEWER_THAN "${_suite_list}")
  # A Wine program loads user32 and so starts Wine's desktop: it needs a
  # prepared prefix (never ~/.wine), which is also where a listing is fastest.
  list(GET _families 0 family)
  set(saved_prefix "$ENV{WINEPREFIX}")
  set(saved_debug "$ENV{WINEDEBUG}")
  if(_prefix_root)
    set(ENV{WINEPREFIX} "${_prefix_root}/${family}")
    set(ENV{WINEDEBUG} "-all")
  endif()
  execute_process(COMMAND ${_emulator} "${_executable}" --gtest_list_tests
                  WORKING_DIRECTORY "${_working_dir}"
                  TIMEOUT 60
                  RESULT_VARIABLE result
                  OUTPUT_VARIABLE listing
                  ERROR_VARIABLE errors)
  set(ENV{WINEPREFIX} "${saved_prefix}")
  set(ENV{WINEDEBUG} "${saved_debug}")
  _suites_parse("${listing}" suites)
  if(NOT result EQUAL 0 OR NOT suites)
    _suites_failed("Listing the suites of ${_executable} failed (${result}):\n${listing}${errors}")
    return()
  endif()
  string(REPLACE ";" "\n" text "${suites}")
  file(WRITE "${_suite_list}" "${text}\n")
endif()

file(STRINGS "${_suite_list}" suites)
foreach(family IN LISTS _families)
  foreach(suite IN LISTS suites)
    # Brief: a passing suite prints two lines, a failing test its messages and
    # "[  FAILED  ] Suite.Test"; the program itself names a crashed or hung one.
    add_test("${family}.${suite}" ${_emulator} "${_executable}" "--gtest_filter=${suite}.*" --gtest_brief=1)
    set_tests_properties("${family}.${suite}" PROPERTIES WORKING_DIRECTORY "${_working_dir}" TIMEOUT "${_timeout}")
    # A prefix's suites queue for it, so they go first whenever it is free
    # (on a machine with no timings yet, the cost orders the tests): a queue
    # that starts late is the whole run's tail.
    if(_prefix_root)
      set_tests_properties("${family}.${suite}" PROPERTIES
                           ENVIRONMENT "WINEPREFIX=${_prefix_root}/${family};WINEDEBUG=-all"
                           RESOURCE_LOCK "wine-${family}" COST 100)
    endif()
  endforeach()
endforeach()
