# The Wine smoke test: runs pantrium_smoke.exe of the mingw build under Wine
# and Xvfb (scripts/wine-smoke.sh). Registered when PANTRIUM_WIN_BUILD names
# the mingw build directory and that build has or will have the program
# (scripts/test.sh builds it before the native build).
set(PANTRIUM_WIN_BUILD "" CACHE PATH "mingw-w64 build directory holding pantrium_smoke.exe")

if(PANTRIUM_WIN_BUILD)
  set(_smoke_exe "${PANTRIUM_WIN_BUILD}/pantrium_smoke.exe")
  if(EXISTS "${_smoke_exe}" OR EXISTS "${PANTRIUM_WIN_BUILD}/CMakeCache.txt")
    add_test(NAME wine_smoke
             COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine-smoke.sh" "${_smoke_exe}")
    # Under five minutes, including a first creation of the Wine prefix; it
    # runs alone so that the machine's cores do not slow the GUI down.
    set_tests_properties(wine_smoke PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
                         FAIL_REGULAR_EXPRESSION "FAIL:")
    # The Win32 layer against the rules the headless layer keeps (notification
    # order, modal loops, keys), run the same way.
    add_test(NAME wine_layer_check
             COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine-smoke.sh"
                     "${PANTRIUM_WIN_BUILD}/win32_layer_check.exe" "${PANTRIUM_WIN_BUILD}/layer-check-shots")
    set_tests_properties(wine_layer_check PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE
                         FAIL_REGULAR_EXPRESSION "FAIL:")
  else()
    message(STATUS "wine_smoke: no mingw build at ${PANTRIUM_WIN_BUILD}; the Wine smoke test is not registered")
  endif()
endif()
