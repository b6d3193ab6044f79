# The Wine tests: pantrium_smoke.exe and window_conformance.exe of the mingw
# builds run under Wine and Xvfb (scripts/wine/wine-smoke.sh). Registered when
# PANTRIUM_WIN_BUILD names the x86_64 build directory and that build has or
# will have the programs (scripts/test.sh builds it before the native build);
# the same for the i686 build in PANTRIUM_WIN32_BUILD (by default the x86_64
# directory's name followed by 32, when it exists), whose programs run on the
# 32-bit Wine under qemu-i386 (scripts/wine/wine32-setup.sh).
set(PANTRIUM_WIN_BUILD "" CACHE PATH "mingw-w64 x86_64 build directory holding pantrium_smoke.exe")
set(PANTRIUM_WIN32_BUILD "" CACHE PATH "mingw-w64 i686 build directory holding pantrium_smoke.exe")

# prefix: "wine" or "wine32"; timeout: seconds for the smoke test and the UI tests
# (each may create the prefix first).
function(pantrium_wine_tests prefix build timeout)
  set(_smoke_exe "${build}/pantrium_smoke.exe")
  if(NOT EXISTS "${_smoke_exe}" AND NOT EXISTS "${build}/CMakeCache.txt")
    message(STATUS "${prefix}_smoke: no mingw build at ${build}; its Wine tests are not registered")
    return()
  endif()
  add_test(NAME ${prefix}_smoke
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-smoke.sh" "${_smoke_exe}")
  # Including a first creation of the Wine prefix. The tests of one build share
  # its prefix and working folder, so they take turns (the lock); each has its
  # own Xvfb display and wineserver, so the two builds' tests run side by side.
  set_tests_properties(${prefix}_smoke PROPERTIES TIMEOUT ${timeout} RESOURCE_LOCK ${prefix}_prefix
                       FAIL_REGULAR_EXPRESSION "FAIL:")
  # The window layer's conformance suite (tests/conformance/window) on the
  # Win32 layer, run the same way.
  add_test(NAME ${prefix}_window_conformance
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-smoke.sh"
                   "${build}/window_conformance.exe" "${build}/window-conformance-shots")
  set_tests_properties(${prefix}_window_conformance PROPERTIES TIMEOUT 300 RESOURCE_LOCK ${prefix}_prefix
                       FAIL_REGULAR_EXPRESSION "FAIL:")
  # The main-window and dialog tests on the Win32 layer: one program, one
  # prefix; fails on a failed test and on a non-zero exit ("FAIL:" from the script).
  add_test(NAME ${prefix}_ui_tests
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-smoke.sh"
                   "${build}/ui_tests_win32.exe" "${build}/ui-tests-shots")
  include(${CMAKE_SOURCE_DIR}/tests/ui/ui_win32_left_out.cmake)
  list(JOIN UI_WIN32_LEFT_OUT ":" _left_out)
  set_tests_properties(${prefix}_ui_tests PROPERTIES TIMEOUT ${timeout} RESOURCE_LOCK ${prefix}_prefix
                       ENVIRONMENT "GTEST_FILTER=*:-${_left_out}"
                       FAIL_REGULAR_EXPRESSION "FAIL:;\\[  FAILED  \\]")
endfunction()

if(PANTRIUM_WIN_BUILD)
  pantrium_wine_tests(wine "${PANTRIUM_WIN_BUILD}" 300)
  if(NOT PANTRIUM_WIN32_BUILD AND EXISTS "${PANTRIUM_WIN_BUILD}32/CMakeCache.txt")
    set(PANTRIUM_WIN32_BUILD "${PANTRIUM_WIN_BUILD}32")
  endif()
endif()
if(PANTRIUM_WIN32_BUILD)
  # Emulated: the program itself runs about twice as long as the 64-bit one.
  pantrium_wine_tests(wine32 "${PANTRIUM_WIN32_BUILD}" 480)
endif()
