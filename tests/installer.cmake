# The installer under Wine (scripts/wine-installer.sh): a silent install of
# pantrium-setup.exe, its shortcut, the installed program saving a list in the
# lists folder, a silent uninstall that keeps the list. Once as a 64-bit
# Windows (the x86_64 program is installed) and once as a 32-bit one (the
# i686 program); scripts/test.sh builds the installer after both programs.
set(PANTRIUM_WIN32_BUILD "${CMAKE_SOURCE_DIR}/build-win32" CACHE PATH
    "mingw-w64 i686 build directory (its pantrium.exe and installer_check.exe)")
if(PANTRIUM_WIN_BUILD)
  set(_setup_exe "${PANTRIUM_WIN_BUILD}/pantrium-setup.exe")
  add_test(NAME wine_installer
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine-installer.sh" "${_setup_exe}")
  add_test(NAME wine_installer_win32
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine-installer.sh" "${_setup_exe}"
                   --win32 "${PANTRIUM_WIN32_BUILD}")
  # About 20 s each, a minute more when the prefix is first created.
  set_tests_properties(wine_installer wine_installer_win32 PROPERTIES
                       TIMEOUT 180 RUN_SERIAL TRUE FAIL_REGULAR_EXPRESSION "FAIL:")
endif()
