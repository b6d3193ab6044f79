# The help file Pantrium.chm, compiled from help/ with Free Pascal's chmcmd
# (Debian package fp-utils) into the build folder, next to pantrium.exe. The
# program opens it from its working folder at start-up, so the installer puts
# a copy into the user's lists folder too.
find_program(PANTRIUM_CHMCMD chmcmd)
if(PANTRIUM_CHMCMD)
  file(GLOB PANTRIUM_HELP_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/help/*.html ${CMAKE_SOURCE_DIR}/help/*.css ${CMAKE_SOURCE_DIR}/help/*.hhp
    ${CMAKE_SOURCE_DIR}/help/*.hhc ${CMAKE_SOURCE_DIR}/help/*.hhk)
  # chmcmd reads the pages beside the project file and writes the .chm into
  # its working folder.
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/Pantrium.chm
    COMMAND ${PANTRIUM_CHMCMD} --verbosity 0 ${CMAKE_SOURCE_DIR}/help/pantrium.hhp > help-compile.log 2>&1
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS ${PANTRIUM_HELP_SOURCES}
    COMMENT "Compiling the help file Pantrium.chm")
  add_custom_target(pantrium_help ALL DEPENDS ${CMAKE_BINARY_DIR}/Pantrium.chm)
else()
  message(WARNING "chmcmd (fp-utils) not found: Pantrium.chm is not built")
endif()
