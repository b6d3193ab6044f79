# The Windows file access on the real calls under Wine (win32_files_check.exe
# of the mingw build), run the way the Wine smoke test runs.
if(PANTRIUM_WIN_BUILD AND (EXISTS "${PANTRIUM_WIN_BUILD}/win32_files_check.exe" OR
                           EXISTS "${PANTRIUM_WIN_BUILD}/CMakeCache.txt"))
  add_test(NAME wine_files_check
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine-smoke.sh"
                   "${PANTRIUM_WIN_BUILD}/win32_files_check.exe" "${PANTRIUM_WIN_BUILD}/files-check-shots")
  set_tests_properties(wine_files_check PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE
                       FAIL_REGULAR_EXPRESSION "FAIL:")
endif()
