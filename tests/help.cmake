# The compiled help file of the mingw build: every page and index entry is in
# it and the program's command texts are documented (tests/windows/help/check_help.py).
find_program(PANTRIUM_PYTHON3 python3)
find_program(PANTRIUM_EXTRACT_CHM extract_chmLib)
if(PANTRIUM_WIN_BUILD AND PANTRIUM_PYTHON3 AND PANTRIUM_EXTRACT_CHM)
  add_test(NAME help_file
           COMMAND ${PANTRIUM_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/help/check_help.py
                   "${PANTRIUM_WIN_BUILD}/Pantrium.chm" "${CMAKE_SOURCE_DIR}")
  set_tests_properties(help_file PROPERTIES TIMEOUT 60 FAIL_REGULAR_EXPRESSION "FAIL:")
elseif(PANTRIUM_WIN_BUILD)
  message(STATUS "help_file: python3 or extract_chmLib (libchm-bin) missing; the help test is not registered")
endif()
