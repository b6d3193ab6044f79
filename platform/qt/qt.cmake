# The Qt window layer (Qt 6 Widgets) and the native Linux program, built when
# Qt 6 is found; the native test build works without it.
#
#   pantrium_qt       the layer (platform/qt)
#   pantrium-qt       the program
#   qt_layer_check    the layer's own check program (ctest, offscreen)
#   ui_tests_qt       the main-window and dialog tests on the Qt layer (ctest, offscreen)
find_package(Qt6 QUIET COMPONENTS Widgets PrintSupport)
if(NOT Qt6_FOUND)
  message(STATUS "Qt 6 not found: the native Qt program is not built")
  return()
endif()

file(GLOB QT_LAYER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/qt/*.cpp)
qt_add_resources(QT_LAYER_RESOURCES ${CMAKE_SOURCE_DIR}/platform/qt/pantrium.qrc)
add_library(pantrium_qt STATIC ${QT_LAYER_SOURCES} ${QT_LAYER_RESOURCES} ${PLATFORM_COMMON_SOURCES})
target_include_directories(pantrium_qt PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(pantrium_qt PUBLIC Qt6::Widgets Qt6::PrintSupport)
target_compile_definitions(pantrium_qt PRIVATE PANTRIUM_HELP_DIR="${CMAKE_SOURCE_DIR}/help")

add_executable(pantrium-qt ${CMAKE_SOURCE_DIR}/platform/qt/app/main.cpp)
target_link_libraries(pantrium-qt PRIVATE pantrium_ui pantrium_qt pantrium_data)

# The layer's check program: the semantics of platform.h on real Qt widgets.
add_executable(qt_layer_check ${CMAKE_SOURCE_DIR}/platform/qt/check/layer_check.cpp)
target_link_libraries(qt_layer_check PRIVATE pantrium_qt)
add_test(NAME qt_layer_check COMMAND qt_layer_check)
set_tests_properties(qt_layer_check PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
