# No core file includes a header from a folder above its own (see cmake/check_layering.cmake).
add_test(NAME core.layering
  COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src -P ${PROJECT_SOURCE_DIR}/cmake/check_layering.cmake)
set_tests_properties(core.layering PROPERTIES LABELS core)
