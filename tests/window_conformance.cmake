# The window layer's conformance suite (tests/conformance/window) on the
# headless layer, and on the Qt layer under Qt's offscreen platform when Qt 6
# is found. The Win32 layer runs it under Wine (tests/wine.cmake).
include(${CMAKE_SOURCE_DIR}/tests/conformance/window/window_suite.cmake)

pantrium_window_suite(window_conformance_headless headless pantrium_headless)
add_test(NAME window_conformance_headless COMMAND window_conformance_headless WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(window_conformance_headless PROPERTIES TIMEOUT 60 FAIL_REGULAR_EXPRESSION "FAIL:")

if(TARGET pantrium_qt)
  pantrium_window_suite(window_conformance_qt qt pantrium_qt)
  add_test(NAME window_conformance_qt COMMAND window_conformance_qt WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(window_conformance_qt PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120
                       FAIL_REGULAR_EXPRESSION "FAIL:")
endif()
