# A short run of each fuzzer (clang, libFuzzer with ASan and UBSan), so that
# the targets keep building and the loaders meet some damaged files in every
# test run. The long runs are made by hand with scripts/fuzz.sh.
find_program(PANTRIUM_CLANGXX clang++)
if(PANTRIUM_CLANGXX)
  add_test(NAME fuzz_list_file_short
           COMMAND env PANTRIUM_FUZZ_DIR=${CMAKE_BINARY_DIR}/fuzz bash "${CMAKE_SOURCE_DIR}/scripts/fuzz.sh" 15)
  set_tests_properties(fuzz_list_file_short PROPERTIES TIMEOUT 240
                       FAIL_REGULAR_EXPRESSION "ERROR: libFuzzer|ERROR: AddressSanitizer|runtime error")
  # The same for the CSV import: any bytes read, merged, and the result exported
  # and read back whole.
  add_test(NAME fuzz_csv_short
           COMMAND env PANTRIUM_FUZZ_DIR=${CMAKE_BINARY_DIR}/fuzz bash "${CMAKE_SOURCE_DIR}/scripts/fuzz.sh" csv 15)
  set_tests_properties(fuzz_csv_short PROPERTIES TIMEOUT 240
                       FAIL_REGULAR_EXPRESSION "ERROR: libFuzzer|ERROR: AddressSanitizer|runtime error")
else()
  message(STATUS "clang++ not found: the short fuzzer run is not registered")
endif()
