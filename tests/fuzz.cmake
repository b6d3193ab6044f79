# A short run of the list-file fuzzer (clang, libFuzzer with ASan and UBSan),
# so that the target keeps building and the loader meets some damaged files in
# every test run. The long runs are made by hand with scripts/fuzz.sh.
find_program(PANTRIUM_CLANGXX clang++)
if(PANTRIUM_CLANGXX)
  add_test(NAME fuzz_list_file_short
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/fuzz.sh" 15)
  set_tests_properties(fuzz_list_file_short PROPERTIES TIMEOUT 240
                       FAIL_REGULAR_EXPRESSION "ERROR: libFuzzer|ERROR: AddressSanitizer|runtime error")
else()
  message(STATUS "clang++ not found: the short fuzzer run is not registered")
endif()
