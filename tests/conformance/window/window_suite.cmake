# The window layer's conformance suite: the shared cases of this folder, the
# harness, one implementation's extra cases and its scripted user
# (tests/drivers/<impl>_user.cpp), linked against that layer.
#   pantrium_window_suite(<target> <impl: headless|qt|win32> <layer library> [extra sources...])
file(GLOB WINDOW_SUITE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/window/*.cpp)
list(FILTER WINDOW_SUITE_SOURCES EXCLUDE REGEX "_extra[^/]*\\.cpp$")

function(pantrium_window_suite target impl layer)
  file(GLOB extra CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/window/${impl}_extra*.cpp)
  add_executable(${target} ${WINDOW_SUITE_SOURCES} ${ARGN} ${extra}
                 ${CMAKE_SOURCE_DIR}/tests/conformance/harness.cpp
                 ${CMAKE_SOURCE_DIR}/tests/drivers/${impl}_user.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${layer})
endfunction()
