# The file access conformance suite (tests/conformance/files/) on every
# implementation: natively on the POSIX one (files_conformance), and under Wine
# on the Windows one, as files_conformance.exe of the x86_64 build
# (wine_files_conformance) and of the i686 build on the emulated 32-bit Wine
# (wine32_files_conformance), run the way the Wine smoke test runs
# (scripts/wine/wine-smoke.sh, in <build>/smoke-run). Each run writes only inside
# its working folder.
include(${CMAKE_SOURCE_DIR}/tests/conformance/files/files.cmake)
set(_files_run ${CMAKE_BINARY_DIR}/files-conformance-run)
file(MAKE_DIRECTORY ${_files_run})
add_test(NAME files_conformance COMMAND files_conformance WORKING_DIRECTORY ${_files_run})
set_tests_properties(files_conformance PROPERTIES TIMEOUT 60 FAIL_REGULAR_EXPRESSION "FAIL:")

# prefix: "wine" or "wine32"; build: the mingw build folder.
function(pantrium_wine_files_conformance prefix build timeout)
  if(NOT EXISTS "${build}/files_conformance.exe" AND NOT EXISTS "${build}/CMakeCache.txt")
    message(STATUS "${prefix}_files_conformance: no mingw build at ${build}; not registered")
    return()
  endif()
  add_test(NAME ${prefix}_files_conformance
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-smoke.sh"
                   "${build}/files_conformance.exe" "${build}/files-conformance-shots")
  set_tests_properties(${prefix}_files_conformance PROPERTIES TIMEOUT ${timeout} RESOURCE_LOCK ${prefix}_prefix
                       FAIL_REGULAR_EXPRESSION "FAIL:")
endfunction()

# The i686 build defaults to the x86_64 build's folder followed by 32, as in
# tests/wine.cmake.
set(_files_win32_build "${PANTRIUM_WIN32_BUILD}")
if(PANTRIUM_WIN_BUILD)
  pantrium_wine_files_conformance(wine "${PANTRIUM_WIN_BUILD}" 120)
  if(NOT _files_win32_build AND EXISTS "${PANTRIUM_WIN_BUILD}32/CMakeCache.txt")
    set(_files_win32_build "${PANTRIUM_WIN_BUILD}32")
  endif()
endif()
if(_files_win32_build)
  # Emulated: about twice as long.
  pantrium_wine_files_conformance(wine32 "${_files_win32_build}" 300)
endif()
