# The program: its entry point sits above the user interface and the window
# layer, so that platform/ never reaches up into ui/.
if(PANTRIUM_UI_SOURCES)
  add_executable(pantrium WIN32 ${CMAKE_SOURCE_DIR}/app/winmain.cpp ${PANTRIUM_RESOURCES})
  target_link_libraries(pantrium PRIVATE ${PANTRIUM_WIN32_LIBS})
  target_link_options(pantrium PRIVATE ${PANTRIUM_STATIC_RUNTIME} -mwindows)
endif()
# The smoke test starts the program beside it as a second program on one list.
if(TARGET pantrium AND TARGET pantrium_smoke)
  add_dependencies(pantrium_smoke pantrium)
endif()
