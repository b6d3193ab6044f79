# The main-window and dialog tests on the Win32 layer (ui_tests_win32.exe),
# played by its scripted user (tests/drivers/win32_user.cpp) and run under
# Wine by the native build's ctest (tests/wine.cmake). Included by the
# Windows build.
#
# GoogleTest is built here from Debian's sources (/usr/src/googletest), into
# this build folder, with its own flags.
set(PANTRIUM_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest sources for the mingw builds")
if(NOT EXISTS ${PANTRIUM_GTEST_SOURCES}/CMakeLists.txt)
  message(STATUS "no GoogleTest sources at ${PANTRIUM_GTEST_SOURCES}: ui_tests_win32 is not built")
  return()
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${PANTRIUM_GTEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

file(GLOB UI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/ui/*_test.cpp)
add_executable(ui_tests_win32 ${UI_TEST_SOURCES}
               ${CMAKE_SOURCE_DIR}/tests/drivers/script.cpp
               ${CMAKE_SOURCE_DIR}/tests/drivers/win32_user.cpp
               ${CMAKE_SOURCE_DIR}/tests/drivers/win32_records.cpp
               ${PANTRIUM_RESOURCES})
target_include_directories(ui_tests_win32 PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests
                           ${CMAKE_SOURCE_DIR}/tests/ui)
target_link_libraries(ui_tests_win32 PRIVATE ${PANTRIUM_WIN32_LIBS} gtest gtest_main)
target_link_options(ui_tests_win32 PRIVATE ${PANTRIUM_STATIC_RUNTIME})

# Its stand-in for the HTML Help viewer, which records every request
# (tests/drivers/win32_help_stand_in.cpp); the test program loads it by its
# path before any help is asked for.
add_library(ui_help_stand_in SHARED ${CMAKE_SOURCE_DIR}/tests/drivers/win32_help_stand_in.cpp)
set_target_properties(ui_help_stand_in PROPERTIES PREFIX "" OUTPUT_NAME hhctrl SUFFIX ".ocx"
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/ui-tests-help)
target_link_options(ui_help_stand_in PRIVATE ${PANTRIUM_STATIC_RUNTIME} -Wl,--kill-at)
add_dependencies(ui_tests_win32 ui_help_stand_in)
