# pantrium-qt as Linux software: its installation with `cmake --install`
# (GNUInstallDirs: the program in bin/, the desktop entry, the icons of the
# hicolor theme, the AppStream metadata, the help pages made for Linux, the
# manual page, the copyright and changelog) and the Debian package made from
# it by CPack (`cmake --build build --target deb`: build/pantrium-qt_<version>_<arch>.deb).
# Included by platform/window/qt/qt.cmake once pantrium-qt is defined.
include(GNUInstallDirs)

set(PANTRIUM_RELEASE_DATE 2026-12-07)
set(PANTRIUM_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 12:00:00 +0000")
set(PANTRIUM_MAINTAINER "The Pantrium developers <pantrium@example.org>")
set(PANTRIUM_APPSTREAM_ID pantrium.linux.pantrium_qt)
set(PANTRIUM_LINUX_SOURCE ${CMAKE_SOURCE_DIR}/installer/linux)
set(PANTRIUM_LINUX_BUILD ${CMAKE_BINARY_DIR}/linux)

# The help pages with their Linux parts, in build/help beside the program,
# where it finds them as it finds share/pantrium/help when installed.
find_package(Python3 COMPONENTS Interpreter)
find_program(PANTRIUM_GZIP gzip)
if(NOT Python3_Interpreter_FOUND OR NOT PANTRIUM_GZIP)
  message(WARNING "python3 or gzip missing: the help pages and the package of pantrium-qt are not made")
  return()
endif()
file(GLOB PANTRIUM_HELP_PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*.html ${CMAKE_SOURCE_DIR}/help/*.css)
set(PANTRIUM_LINUX_HELP_PAGES)
foreach(page ${PANTRIUM_HELP_PAGE_SOURCES})
  get_filename_component(name ${page} NAME)
  list(APPEND PANTRIUM_LINUX_HELP_PAGES ${CMAKE_BINARY_DIR}/help/${name})
endforeach()
add_custom_command(
  OUTPUT ${PANTRIUM_LINUX_HELP_PAGES}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/help/platform_pages.py linux
          ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help
  DEPENDS ${PANTRIUM_HELP_PAGE_SOURCES} ${CMAKE_SOURCE_DIR}/help/platform_pages.py
  COMMENT "Making the help pages for Linux")

# Metadata and documents; packed files are made with gzip -n (no name or
# time inside), so the same sources give the same bytes.
configure_file(${PANTRIUM_LINUX_SOURCE}/${PANTRIUM_APPSTREAM_ID}.metainfo.xml.in
               ${PANTRIUM_LINUX_BUILD}/${PANTRIUM_APPSTREAM_ID}.metainfo.xml @ONLY)
configure_file(${PANTRIUM_LINUX_SOURCE}/changelog.in ${PANTRIUM_LINUX_BUILD}/changelog @ONLY)
add_custom_command(
  OUTPUT ${PANTRIUM_LINUX_BUILD}/pantrium-qt.1.gz ${PANTRIUM_LINUX_BUILD}/changelog.gz
  COMMAND ${PANTRIUM_GZIP} -9n -c ${PANTRIUM_LINUX_SOURCE}/pantrium-qt.1 > ${PANTRIUM_LINUX_BUILD}/pantrium-qt.1.gz
  COMMAND ${PANTRIUM_GZIP} -9n -c ${PANTRIUM_LINUX_BUILD}/changelog > ${PANTRIUM_LINUX_BUILD}/changelog.gz
  DEPENDS ${PANTRIUM_LINUX_SOURCE}/pantrium-qt.1 ${PANTRIUM_LINUX_BUILD}/changelog
  COMMENT "Packing the manual page and the changelog")
add_custom_target(pantrium_linux_files ALL
  DEPENDS ${PANTRIUM_LINUX_HELP_PAGES} ${PANTRIUM_LINUX_BUILD}/pantrium-qt.1.gz ${PANTRIUM_LINUX_BUILD}/changelog.gz)
# Hardened like Debian's own programs: relocations resolved at start and then read-only.
target_link_options(pantrium-qt PRIVATE "LINKER:-z,relro" "LINKER:-z,now")
# A build of the program alone (scripts/run-qt.sh) has its help pages beside it too.
add_dependencies(pantrium-qt pantrium_linux_files)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(PANTRIUM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/pantrium-qt)
install(TARGETS pantrium-qt RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PANTRIUM_LINUX_SOURCE}/pantrium-qt.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PANTRIUM_LINUX_BUILD}/${PANTRIUM_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The program looks for them at ../share/pantrium/help from its own folder.
install(FILES ${PANTRIUM_LINUX_HELP_PAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/pantrium/help)
install(FILES ${PANTRIUM_LINUX_BUILD}/pantrium-qt.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PANTRIUM_LINUX_SOURCE}/copyright ${PANTRIUM_LINUX_BUILD}/changelog.gz DESTINATION ${PANTRIUM_DOC_DIR})

# The package installs what the build made: no rebuild of every target
# before it (the tests and the Windows parts need not be current).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pantrium-qt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Pantrium developers")
set(CPACK_PACKAGE_CONTACT "${PANTRIUM_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "household shopping list of grocery items")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pantrium keeps a household's shopping list: a table of grocery items with
categories, units, prices and the last five purchases of each. It builds the
shopping list by hand or proposes it from the buying history, prints it,
and records each shopping trip at checkout, with undo.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
include(CPack)

add_custom_target(deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making the Debian package of pantrium-qt")
add_dependencies(deb pantrium-qt pantrium_linux_files)
