# The committed icon and cursor are exactly what resources/make_resources.py draws.
find_program(PANTRIUM_PYTHON3 python3)
if(PANTRIUM_PYTHON3)
  add_test(NAME resources_up_to_date
           COMMAND ${PANTRIUM_PYTHON3} ${CMAKE_SOURCE_DIR}/resources/make_resources.py --check)
endif()
