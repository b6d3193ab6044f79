# The Wine smoke test and the window conformance suite on displays scaled to 125, 150 and
# 200 % (LogPixels 120, 144, 192): every window DPI / 96 times as large, its
# geometry checks scaled alike. Screenshots of the main window and every
# dialog go to build-win/screenshots-<dpi>dpi; the smoke test runs its window
# runs only (the key, path and cost runs do not depend on the scaling). The smoke test runs at 150 and
# 200 % only, to keep the test run short; at 125 % by hand with
#   PANTRIUM_WINE_DPI=120 bash scripts/wine/wine-smoke.sh build-win/pantrium_smoke.exe build-win/screenshots-120dpi
if(PANTRIUM_WIN_BUILD AND (EXISTS "${PANTRIUM_WIN_BUILD}/pantrium_smoke.exe" OR
                           EXISTS "${PANTRIUM_WIN_BUILD}/CMakeCache.txt"))
  foreach(dpi 120 144 192)
    # A screen large enough for the main window at 200 %.
    set(_env "PANTRIUM_WINE_DPI=${dpi};PANTRIUM_XVFB_SCREEN=2048x1536x24;PANTRIUM_SMOKE_WINDOWS_ONLY=1")
    set(_tests wine_window_conformance_${dpi}dpi)
    add_test(NAME wine_window_conformance_${dpi}dpi
             COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-smoke.sh" "${PANTRIUM_WIN_BUILD}/window_conformance.exe"
                     "${PANTRIUM_WIN_BUILD}/window-conformance-shots-${dpi}dpi")
    if(NOT dpi EQUAL 120)
      list(APPEND _tests wine_smoke_${dpi}dpi)
      add_test(NAME wine_smoke_${dpi}dpi
               COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-smoke.sh" "${PANTRIUM_WIN_BUILD}/pantrium_smoke.exe"
                       "${PANTRIUM_WIN_BUILD}/screenshots-${dpi}dpi")
    endif()
    # In the x86_64 build's prefix, taking turns with its other Wine tests.
    set_tests_properties(${_tests} PROPERTIES
                         ENVIRONMENT "${_env}" TIMEOUT 180 RESOURCE_LOCK wine_prefix FAIL_REGULAR_EXPRESSION "FAIL:")
  endforeach()
endif()
