# The installer under Wine (scripts/wine/wine-installer.sh): a silent install of
# pantrium-setup.exe, its shortcut, the installed program saving a list in the
# lists folder, a silent uninstall that keeps the list. scripts/test.sh builds
# the installer after both programs and names the i686 build in
# PANTRIUM_WIN32_BUILD.
if(PANTRIUM_WIN_BUILD AND PANTRIUM_WIN32_BUILD)
  set(_setup_exe "${PANTRIUM_WIN_BUILD}/pantrium-setup.exe")
  # As a 32-bit Windows, on the emulated 32-bit Wine of the i686 build. The
  # 64-bit Windows case needs Debian's wine32:i386 beside the 64-bit Wine,
  # which changes the machine's package architectures; by hand:
  #   bash scripts/wine/wine-installer.sh build-win/pantrium-setup.exe
  add_test(NAME wine_installer_win32
           COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/wine/wine-installer.sh" "${_setup_exe}"
                   --win32 "${PANTRIUM_WIN32_BUILD}")
  # A minute or two, emulated, with a first creation of its own prefix.
  set_tests_properties(wine_installer_win32 PROPERTIES
                       TIMEOUT 420 RESOURCE_LOCK wine_install_prefix FAIL_REGULAR_EXPRESSION "FAIL:")
endif()
