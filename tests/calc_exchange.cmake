# tarsek-calc import and export on a copy of a sample well.
if(TARGET tarsek-calc)
  add_test(NAME calc.import_export
    COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc> -DSAMPLES=${PROJECT_SOURCE_DIR}/samples
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/calc_exchange
            -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_exchange.cmake)
  set_tests_properties(calc.import_export PROPERTIES LABELS core)
endif()
