# The Qt window layer (Qt 6 Widgets) and the native Linux program, built when
# Qt 6 is found; the native test build works without it.
#
#   pantrium_qt       the layer (platform/window/qt)
#   pantrium-qt       the program
#   window_conformance_qt  the window layer's conformance suite on it (tests/window_conformance.cmake)
#   ui_tests_qt       the main-window and dialog tests on the Qt layer (ctest, offscreen),
#                     played by tests/drivers/qt_user.cpp
find_package(Qt6 QUIET COMPONENTS Widgets PrintSupport)
if(NOT Qt6_FOUND)
  message(STATUS "Qt 6 not found: the native Qt program is not built")
  return()
endif()

file(GLOB QT_LAYER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/window/qt/*.cpp)
qt_add_resources(QT_LAYER_RESOURCES ${CMAKE_SOURCE_DIR}/platform/window/qt/pantrium.qrc)
add_library(pantrium_qt STATIC ${QT_LAYER_SOURCES} ${QT_LAYER_RESOURCES} ${PLATFORM_COMMON_SOURCES})
target_include_directories(pantrium_qt PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(pantrium_qt PUBLIC Qt6::Widgets Qt6::PrintSupport pantrium_files)

add_executable(pantrium-qt ${CMAKE_SOURCE_DIR}/app/qt_main.cpp ${CMAKE_SOURCE_DIR}/app/qt_self_check.cpp)
target_link_libraries(pantrium-qt PRIVATE pantrium_ui pantrium_qt pantrium_data)

# The main-window and dialog tests once more, on the Qt layer, played by its
# scripted user (tests/drivers/qt_user.cpp), with the Qt-only tests of
# tests/qt beside them.
if(TARGET GTest::gtest)
  file(GLOB QT_UI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/ui/*_test.cpp
       ${CMAKE_SOURCE_DIR}/tests/qt/*_test.cpp)
  add_executable(ui_tests_qt ${QT_UI_TEST_SOURCES}
                 ${CMAKE_SOURCE_DIR}/tests/drivers/script.cpp ${CMAKE_SOURCE_DIR}/tests/drivers/qt_user.cpp
                 ${CMAKE_SOURCE_DIR}/tests/windows/smoke/list_image.cpp)
  # The window tour's pictures.
  target_compile_definitions(ui_tests_qt PRIVATE PANTRIUM_QT_SHOT_DIR="${CMAKE_BINARY_DIR}/screenshots-qt"
                             PANTRIUM_QT_HELP_PAGES="${CMAKE_BINARY_DIR}/help")
  target_include_directories(ui_tests_qt PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/ui)
  target_link_libraries(ui_tests_qt PRIVATE pantrium_ui pantrium_qt pantrium_data GTest::gtest GTest::gtest_main)
  # Left out: their expectations are pixel sizes worked out from the headless
  # layer's fixed metrics (headless_metrics.h: letters 5 px wide, a 1024 x 740
  # work area, fixed frame sizes); the Qt layer measures with the real fonts
  # and frames, so the same program gives other sizes there, rightly.
  #   CategoriesTest.InputBoxSizesItselfToItsTexts: label and box widths from 5-px letters
  #   ItemEditorTest.NamesAreLimitedTo20CharactersAndCutAt132Pixels: how many "W" fit in 132 px
  #   MessageBox.OneLineWithIconIsTheMinimumBoxCentredOnTheWorkArea,
  #   MessageBox.SixLinesGrowTheBoxAndAWideLineWidensIt: the box's size from its texts' widths
  #   MessageBox.PositionGivenIsClampedToZeroOnly,
  #   MessageBox.CentredOverTheActiveWindow: positions from the frame and the box's measured size
  # They run on the headless layer (ui_tests), where those metrics hold.
  set(QT_UI_TESTS_LEFT_OUT "CategoriesTest.InputBoxSizesItselfToItsTexts:ItemEditorTest.NamesAreLimitedTo20CharactersAndCutAt132Pixels:MessageBox.OneLineWithIconIsTheMinimumBoxCentredOnTheWorkArea:MessageBox.SixLinesGrowTheBoxAndAWideLineWidensIt:MessageBox.PositionGivenIsClampedToZeroOnly:MessageBox.CentredOverTheActiveWindow")
  add_test(NAME ui_tests_qt COMMAND ui_tests_qt --gtest_filter=*:-${QT_UI_TESTS_LEFT_OUT}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(ui_tests_qt PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endif()

# Installation, desktop integration and the Debian package of pantrium-qt.
include(${CMAKE_SOURCE_DIR}/installer/linux/linux.cmake)
if(TARGET ui_tests_qt AND TARGET pantrium_linux_files)
  add_dependencies(ui_tests_qt pantrium_linux_files)  # the help window's picture shows the pages for Linux
endif()
# The program as a screen reader reads it: at-spi on a private session bus,
# under Xvfb with Qt's xcb platform (the offscreen platform has no
# accessibility bridge), read with pyatspi (python3-pyatspi, at-spi2-core,
# dbus and xvfb come from scripts/setup.sh).
add_test(NAME qt_screen_reader
         COMMAND dbus-run-session -- /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/qt/screen_reader_check.py
                 $<TARGET_FILE:pantrium-qt> ${CMAKE_BINARY_DIR}/screen-reader)
set_tests_properties(qt_screen_reader PROPERTIES TIMEOUT 120)
