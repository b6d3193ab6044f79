# pantrium-setup.exe (NSIS, Debian package nsis): the installer holds both
# programs, the x86_64 pantrium.exe of this build and the i686 one of the
# 32-bit build, whose path PANTRIUM_WIN32_EXE names (scripts/test.sh builds
# build-win32 and then this target).
#
# installer_check.exe drives the installed program under Wine for the
# installer test (tests/installer.cmake, scripts/wine/wine-installer.sh).
set(PANTRIUM_WIN32_EXE "${CMAKE_SOURCE_DIR}/build-win32/pantrium.exe" CACHE FILEPATH
    "The i686 pantrium.exe that pantrium-setup.exe installs on 32-bit Windows")
find_program(PANTRIUM_MAKENSIS makensis)
# Only the x86_64 build makes it: there pantrium is the 64-bit program.
if(PANTRIUM_MAKENSIS AND TARGET pantrium AND TARGET pantrium_help AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/pantrium-setup.exe
    COMMAND ${PANTRIUM_MAKENSIS} -V2 -NOCD
            "-DEXE_X64=$<TARGET_FILE:pantrium>" "-DEXE_X86=${PANTRIUM_WIN32_EXE}"
            "-DHELP_FILE=${CMAKE_BINARY_DIR}/Pantrium.chm"
            "-DICON_FILE=${CMAKE_SOURCE_DIR}/resources/grocery.ico"
            "-DOUT_FILE=${CMAKE_BINARY_DIR}/pantrium-setup.exe"
            ${CMAKE_SOURCE_DIR}/installer/pantrium.nsi
    DEPENDS pantrium pantrium_help ${PANTRIUM_WIN32_EXE} ${CMAKE_SOURCE_DIR}/installer/pantrium.nsi
            ${CMAKE_BINARY_DIR}/Pantrium.chm ${CMAKE_SOURCE_DIR}/resources/grocery.ico
    COMMENT "Building the installer pantrium-setup.exe"
    VERBATIM)
  # Part of "all" once the i686 program is there, so that a rebuild keeps the
  # installer up to date; scripts/test.sh builds it again after build-win32.
  set(_setup_in_all "")
  if(EXISTS "${PANTRIUM_WIN32_EXE}")
    set(_setup_in_all ALL)
  endif()
  add_custom_target(pantrium_setup ${_setup_in_all} DEPENDS ${CMAKE_BINARY_DIR}/pantrium-setup.exe)
elseif(NOT PANTRIUM_MAKENSIS AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  message(WARNING "makensis (nsis) not found: pantrium-setup.exe is not built")
endif()

add_executable(installer_check ${CMAKE_SOURCE_DIR}/tests/windows/installer/installer_check.cpp)
target_link_libraries(installer_check PRIVATE ole32 uuid user32)
target_link_options(installer_check PRIVATE ${PANTRIUM_STATIC_RUNTIME})
