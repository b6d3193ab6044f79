# No test writes outside its build folder: every test runs with a home
# folder of its run inside the build folder (Qt keeps its settings there, Wine
# its prefixes' user folders) and its temporary files there too (TMPDIR), and needs the fixture "home", whose set-up
# notes what the real home folder holds and whose clean-up, after the last of
# them, fails when anything appeared there.
# Included last, when every other test is defined.
add_test(NAME home_noted COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/home-check.sh" record
         "${CMAKE_BINARY_DIR}/home-before.txt")
add_test(NAME home_untouched COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/home-check.sh" compare
         "${CMAKE_BINARY_DIR}/home-before.txt")
set_tests_properties(home_noted PROPERTIES FIXTURES_SETUP home)
set_tests_properties(home_untouched PROPERTIES FIXTURES_CLEANUP home)
get_property(pantrium_tests DIRECTORY PROPERTY TESTS)
list(REMOVE_ITEM pantrium_tests home_noted home_untouched)
set(PANTRIUM_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
file(MAKE_DIRECTORY ${PANTRIUM_TEST_HOME} ${PANTRIUM_TEST_TMP})
if(pantrium_tests)
  set_property(TEST ${pantrium_tests} APPEND PROPERTY FIXTURES_REQUIRED home)
  set_property(TEST ${pantrium_tests} APPEND PROPERTY ENVIRONMENT
               "HOME=${PANTRIUM_TEST_HOME}" "XDG_CONFIG_HOME=${PANTRIUM_TEST_HOME}/.config"
               "XDG_CACHE_HOME=${PANTRIUM_TEST_HOME}/.cache" "XDG_DATA_HOME=${PANTRIUM_TEST_HOME}/.local/share")
  # Wine's server keeps its socket where its scripts look for it, under /tmp;
  # they remove their own temporary folder.
  set(native_tests ${pantrium_tests})
  list(FILTER native_tests EXCLUDE REGEX "^wine")
  if(native_tests)
    set_property(TEST ${native_tests} APPEND PROPERTY ENVIRONMENT "TMPDIR=${PANTRIUM_TEST_TMP}")
  endif()
endif()
