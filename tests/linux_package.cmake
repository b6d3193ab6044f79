# pantrium-qt as Linux software (installer/linux/linux.cmake): the desktop
# entry and the AppStream metadata pass their validators; the Debian package
# is made from the built program, holds what it must, passes lintian, and its
# unpacked program starts, finds its icon and help and saves a list
# (offscreen), and shows its icon under a window manager on X (tests/linux/).
# Beside them: the help pages made for each system from the one set of sources.
find_program(PANTRIUM_PYTHON3 python3)
if(PANTRIUM_PYTHON3)
  add_test(NAME help_pages_per_system
           COMMAND ${PANTRIUM_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/linux/help_pages_check.py
                   ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/help-pages-check)
  set_tests_properties(help_pages_per_system PROPERTIES TIMEOUT 60 FAIL_REGULAR_EXPRESSION "FAIL:")
endif()
if(NOT TARGET deb)
  return()
endif()
find_program(PANTRIUM_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(PANTRIUM_APPSTREAMCLI appstreamcli)
find_program(PANTRIUM_LINTIAN lintian)
find_program(PANTRIUM_DPKG_DEB dpkg-deb)
find_program(PANTRIUM_OPENBOX openbox)
find_program(PANTRIUM_XVFB Xvfb)

if(PANTRIUM_DESKTOP_FILE_VALIDATE)
  # Warnings count as faults: the validator prints nothing for a clean entry.
  add_test(NAME linux_desktop_entry
           COMMAND bash -c "out=$(\"$0\" \"$1\" 2>&1); echo \"$out\"; [ -z \"$out\" ]"
                   ${PANTRIUM_DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/installer/linux/pantrium-qt.desktop)
else()
  message(STATUS "linux_desktop_entry: desktop-file-validate (desktop-file-utils) missing; not registered")
endif()
if(PANTRIUM_APPSTREAMCLI)
  # Fails on errors and warnings; an information is shown.
  add_test(NAME linux_appstream_metadata
           COMMAND ${PANTRIUM_APPSTREAMCLI} validate --no-net --pedantic
                   ${CMAKE_BINARY_DIR}/linux/${PANTRIUM_APPSTREAM_ID}.metainfo.xml)
else()
  message(STATUS "linux_appstream_metadata: appstreamcli (appstream) missing; not registered")
endif()
if(NOT PANTRIUM_DPKG_DEB)
  message(STATUS "deb_*: dpkg-deb missing; the package tests are not registered")
  return()
endif()
set(_deb_check ${CMAKE_SOURCE_DIR}/tests/linux/deb_check.sh)
add_test(NAME pantrium_qt_build_tree_start COMMAND bash ${_deb_check} tree ${CMAKE_BINARY_DIR})
set_tests_properties(pantrium_qt_build_tree_start PROPERTIES TIMEOUT 90 FAIL_REGULAR_EXPRESSION "FAIL:")
add_test(NAME deb_package COMMAND bash ${_deb_check} build ${CMAKE_BINARY_DIR})
set_tests_properties(deb_package PROPERTIES FIXTURES_SETUP deb TIMEOUT 120 FAIL_REGULAR_EXPRESSION "FAIL:")
add_test(NAME deb_unpacked_start COMMAND bash ${_deb_check} start ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(deb_unpacked_start PROPERTIES FIXTURES_REQUIRED deb TIMEOUT 90 FAIL_REGULAR_EXPRESSION "FAIL:")
if(PANTRIUM_LINTIAN)
  add_test(NAME deb_lintian COMMAND bash ${_deb_check} lintian ${CMAKE_BINARY_DIR})
  set_tests_properties(deb_lintian PROPERTIES FIXTURES_REQUIRED deb TIMEOUT 120 FAIL_REGULAR_EXPRESSION "FAIL:")
else()
  message(STATUS "deb_lintian: lintian missing; not registered")
endif()
if(PANTRIUM_OPENBOX AND PANTRIUM_XVFB)
  add_test(NAME deb_window_icon_x11 COMMAND bash ${CMAKE_SOURCE_DIR}/tests/linux/x11_icon.sh
                                            ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(deb_window_icon_x11 PROPERTIES FIXTURES_REQUIRED deb TIMEOUT 90 FAIL_REGULAR_EXPRESSION "FAIL:")
else()
  message(STATUS "deb_window_icon_x11: openbox or Xvfb missing; not registered")
endif()
