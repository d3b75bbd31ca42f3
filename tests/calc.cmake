# tarsek-calc on the sample wells and on files it must refuse.
if(TARGET tarsek-calc)
  set(calc_samples 示例1 草20-1 草20-2 草20-3)
  set(i 0)
  foreach(no IN LISTS calc_samples)
    math(EXPR i "${i} + 1")
    foreach(method 0 4 5)
      add_test(NAME calc.sample${i}.method${method}
        COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc>
                -DWELL=${no} -DDIR=${PROJECT_SOURCE_DIR}/samples -DMETHOD=${method}
                -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_json.cmake)
      set_tests_properties(calc.sample${i}.method${method} PROPERTIES LABELS core)
    endforeach()
  endforeach()

  add_test(NAME calc.refuses_missing_file
    COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc>
            "-DARGS=well|${CMAKE_CURRENT_SOURCE_DIR}/data/no-such-well.kvd|--method|0" -DEXIT=2
            -DSAYS=找不到井文件 -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_run.cmake)
  add_test(NAME calc.refuses_malformed_file
    COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc>
            "-DARGS=well|${CMAKE_CURRENT_SOURCE_DIR}/data/fuzz_well/bad_no.kvd|--method|0" -DEXIT=2
            -DSAYS=bad_no.kvd”第1行 -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_run.cmake)
  add_test(NAME calc.refuses_unknown_method
    COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc>
            "-DARGS=well|${PROJECT_SOURCE_DIR}/samples/草20-1.kvd|--method|6" -DEXIT=1
            -DSAYS=计算方法 -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_run.cmake)
  set_tests_properties(calc.refuses_missing_file calc.refuses_malformed_file
                       calc.refuses_unknown_method PROPERTIES LABELS core)
endif()
