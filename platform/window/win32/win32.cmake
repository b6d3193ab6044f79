# The Windows build (mingw-w64): the Win32 window layer, the window layer's
# conformance suite and the Wine smoke test.
#
# Programs that run the real user interface link ${PANTRIUM_WIN32_LIBS} and
# add ${PANTRIUM_RESOURCES} to their sources (the icon and cursor).

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/window/win32/*.cpp)
add_library(pantrium_win32 STATIC ${WIN32_SOURCES} ${PLATFORM_COMMON_SOURCES})
target_include_directories(pantrium_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(pantrium_win32 PUBLIC pantrium_files user32 gdi32 comdlg32 comctl32 shell32
                      oleacc ole32 oleaut32)
# HTML Help is loaded from hhctrl.ocx at run time: no import library needed.

# One self-contained .exe: no runtime DLLs beside it.
set(PANTRIUM_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

set(PANTRIUM_RESOURCES "")
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/pantrium.rc)
  enable_language(RC)
  set(PANTRIUM_RESOURCES ${CMAKE_SOURCE_DIR}/resources/pantrium.rc)
  # windres finds the icon and cursor files through the include path.
  set_source_files_properties(${PANTRIUM_RESOURCES} PROPERTIES
    COMPILE_FLAGS "-I ${CMAKE_SOURCE_DIR}/resources")
endif()

set(PANTRIUM_WIN32_LIBS pantrium_ui pantrium_win32 pantrium_data)

# The UI is linked only once it has sources. The program itself (app/) is
# built by app/app.cmake.
get_target_property(PANTRIUM_UI_SOURCES pantrium_ui SOURCES)
if(PANTRIUM_UI_SOURCES)
  # The Wine smoke test: the real main window driven from a second thread.
  file(GLOB SMOKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/smoke/*.cpp)
  if(SMOKE_SOURCES)
    # It shares the conformance suite's guard against stand-in fonts.
    add_executable(pantrium_smoke ${SMOKE_SOURCES} ${CMAKE_SOURCE_DIR}/tests/windows/font_guard.cpp
                   ${PANTRIUM_RESOURCES})
    target_include_directories(pantrium_smoke PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(pantrium_smoke PRIVATE ${PANTRIUM_WIN32_LIBS})
    target_link_options(pantrium_smoke PRIVATE ${PANTRIUM_STATIC_RUNTIME})
    # Its stand-in for the HTML Help viewer, in a folder of its own so that
    # pantrium.exe beside it never picks it up.
    add_library(smoke_help_viewer SHARED ${CMAKE_SOURCE_DIR}/tests/windows/smoke/help/help_viewer.cpp)
    set_target_properties(smoke_help_viewer PROPERTIES PREFIX "" OUTPUT_NAME hhctrl SUFFIX ".ocx"
                          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/smoke-help)
    # undecorated stdcall names on i686, as GetProcAddress asks for them
    target_link_options(smoke_help_viewer PRIVATE ${PANTRIUM_STATIC_RUNTIME} -Wl,--kill-at)
    add_dependencies(pantrium_smoke smoke_help_viewer)
  endif()
  # The main-window and dialog tests on this layer.
  include(${CMAKE_SOURCE_DIR}/tests/ui/ui_win32.cmake)
endif()

# The window layer's conformance suite (tests/conformance/window) on the real
# calls, run under Wine by tests/wine.cmake; DPI aware through the program's
# manifest, with the guard against stand-in fonts.
include(${CMAKE_SOURCE_DIR}/tests/conformance/window/window_suite.cmake)
# Its scripted user keeps its records beside it (tests/drivers/win32_records.cpp).
pantrium_window_suite(window_conformance win32 pantrium_win32
                      ${CMAKE_SOURCE_DIR}/tests/windows/font_guard.cpp ${PANTRIUM_RESOURCES}
                      ${CMAKE_SOURCE_DIR}/tests/drivers/win32_records.cpp)
target_link_options(window_conformance PRIVATE ${PANTRIUM_STATIC_RUNTIME})

# The file access conformance suite with the Windows fixture and extra cases
# (files_conformance.exe, run under Wine by the native build's ctest).
include(${CMAKE_SOURCE_DIR}/tests/conformance/files/files.cmake)

# The benchmark of the real program under Wine (scripts/wine/wine-bench.sh), driven
# like the smoke test; not a test.
file(GLOB WINE_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/program/*.cpp)
if(PANTRIUM_UI_SOURCES AND WINE_BENCH_SOURCES)
  add_executable(pantrium_bench ${WINE_BENCH_SOURCES} ${CMAKE_SOURCE_DIR}/tests/windows/smoke/smoke_support.cpp
                 ${PANTRIUM_RESOURCES})
  target_include_directories(pantrium_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/windows/smoke)
  target_link_libraries(pantrium_bench PRIVATE ${PANTRIUM_WIN32_LIBS})
  target_link_options(pantrium_bench PRIVATE ${PANTRIUM_STATIC_RUNTIME})
endif()
