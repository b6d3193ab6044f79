# The file access conformance suite: one program, files_conformance, per build,
# of the shared cases (files_suite.cpp), this system's fixture and its extra
# cases, against this build's implementation (pantrium_files). Included by the
# native build (tests/files_conformance.cmake) and by the Windows build
# (platform/window/win32/win32.cmake).
set(_files_dir ${CMAKE_SOURCE_DIR}/tests/conformance/files)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(_files_system win32)
else()
  set(_files_system posix)
endif()
add_executable(files_conformance ${_files_dir}/files_suite.cpp ${_files_dir}/fixture_${_files_system}.cpp
               ${_files_dir}/${_files_system}_extra.cpp ${CMAKE_SOURCE_DIR}/tests/conformance/harness.cpp)
target_include_directories(files_conformance PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(files_conformance PRIVATE pantrium_files)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  target_link_options(files_conformance PRIVATE ${PANTRIUM_STATIC_RUNTIME})
endif()
