# tarsek-calc's uncertainty and clearance commands on the sample pad, on survey tables, and on
# input they must refuse.
if(TARGET tarsek-calc)
  set(unc_script ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_run.cmake)
  set(unc_data ${CMAKE_CURRENT_SOURCE_DIR}/uncertainty/data)
  set(pad ${PROJECT_SOURCE_DIR}/samples)
  # A run that succeeds, with LENGTH entries at the JSON path AT ("|" between keys) ...
  function(unc_runs name arguments at length)
    add_test(NAME calc.uncertainty.${name}
      COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc> -DEXIT=0 -DARGS=${arguments}
              -DLENGTH_AT=${at} -DLENGTH=${length} ${ARGN} -P ${unc_script})
    set_tests_properties(calc.uncertainty.${name} PROPERTIES LABELS core)
  endfunction()
  # ... and one refused with exit status CODE and a message saying SAYS.
  function(unc_refuses name arguments code says)
    add_test(NAME calc.uncertainty.${name}
      COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc> -DEXIT=${code} -DARGS=${arguments}
              -DSAYS=${says} ${ARGN} -P ${unc_script})
    set_tests_properties(calc.uncertainty.${name} PROPERTIES LABELS core)
  endfunction()

  unc_runs(well "uncertainty|${pad}/草20-1.kvd|--sources" "stations" 78)
  unc_runs(well_sources "uncertainty|${pad}/草20-1.kvd|--sources" "stations|5|sources" 27)
  unc_runs(well_targets "uncertainty|${pad}/草20-1.kvd" "targets" 2)
  unc_runs(sidetrack "uncertainty|--survey|${unc_data}/sidetrack.csv|--btotal|50000|--dip|72"
           "stations" 4)
  unc_runs(pad "clearance|--reference|${pad}/草20-1.kvd|--offset|${pad}/草20-2.kvd|--offset|${pad}/草20-3.kvd"
           "offsets" 2)
  unc_runs(pad_stations "clearance|--reference|${pad}/草20-1.kvd|--offset|${pad}/草20-2.kvd|--k|3"
           "offsets|0|stations" 78)
  unc_runs(mixed "clearance|--reference|${unc_data}/sidetrack.csv|--offset|${pad}/示例1.kvd|--btotal|50000|--dip|72"
           "offsets|0|stations" 4)

  unc_refuses(no_site "uncertainty|--survey|${unc_data}/sidetrack.csv" 1 "请用 --btotal 和 --dip")
  unc_refuses(no_unc_file "uncertainty|@WELL@" 1 "未设置测量误差参数"
              -DCOPY_WELL=${pad}/草20-2.kvd -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR}/unc_no_site)
  unc_refuses(bad_csv "uncertainty|--survey|${unc_data}/bad-survey.csv|--btotal|50000|--dip|72" 2
              "第4行的“inc”不是数字")
  unc_refuses(both_inputs "uncertainty|${pad}/草20-1.kvd|--survey|${unc_data}/sidetrack.csv" 1
              "二者取一")
  unc_refuses(bad_dip "uncertainty|--survey|${unc_data}/sidetrack.csv|--btotal|50000|--dip|90" 1
              "磁倾角")
  unc_refuses(unknown_model "uncertainty|${pad}/草20-1.kvd|--model|Gyro" 1 "误差模型“Gyro”未知")
  unc_refuses(bad_k "clearance|--reference|${pad}/草20-1.kvd|--offset|${pad}/草20-2.kvd|--k|0" 1
              "防碰参数有误")
  unc_refuses(missing_offset "clearance|--reference|${pad}/草20-1.kvd|--offset|${pad}/没有.kvd" 2
              "找不到文件")
endif()
