# tarsek-calc print: the pages a printer would get, as PDF, counted by pdfinfo.
if(TARGET tarsek-calc AND TARSEK_UI)
  set(print_out ${CMAKE_BINARY_DIR}/print-pdfs)
  file(MAKE_DIRECTORY ${print_out})
  set(samples ${PROJECT_SOURCE_DIR}/samples)
  # name | report | well | page | exit | pages or message
  set(print_cases
    "one_survey|survey|${samples}/示例1.kvd|A4|0|2"
    "one_survey_a3|survey|${samples}/示例1.kvd|A3|0|1"
    "one_plot|plot|${samples}/示例1.kvd|A4|0|1"
    "one_design|design|${samples}/示例1.kvd|A4|0|1"
    "two_survey|survey|${samples}/草20-1.kvd|Letter|0|2"
    "two_plot|plot|${samples}/草20-1.kvd|A4|0|1"
    "two_design|design|${samples}/草20-1.kvd|A4|0|1"
    "no_design|design|${CMAKE_CURRENT_SOURCE_DIR}/data/print/P0.kvd|A4|3|还没有剖面设计"
    "no_well|survey|${CMAKE_CURRENT_SOURCE_DIR}/data/print/none.kvd|A4|2|找不到井文件")
  foreach(c IN LISTS print_cases)
    string(REPLACE "|" ";" f "${c}")
    list(GET f 0 name)
    list(GET f 1 report)
    list(GET f 2 well)
    list(GET f 3 page)
    list(GET f 4 exit)
    list(GET f 5 expect)
    add_test(NAME calc.print.${name}
      COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc> -DREPORT=${report}
              -DFILE=${well} -DOUT=${print_out}/${name}.pdf -DPAGE=${page} -DEXIT=${exit}
              -DPAGES=${expect} -DSAYS=${expect}
              -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_print.cmake)
    set_tests_properties(calc.print.${name} PROPERTIES LABELS ui
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts/truetype/wqy")
  endforeach()
endif()
