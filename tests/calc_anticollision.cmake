# tarsek-calc adds neighbour wells by the window's rules and prints the scan.
if(TARGET tarsek-calc)
  add_test(NAME calc.anticollision.samples
    COMMAND tarsek-calc well ${PROJECT_SOURCE_DIR}/samples/草20-1.kvd
            --neighbour ${PROJECT_SOURCE_DIR}/samples/草20-2.kvd
            --neighbour ${PROJECT_SOURCE_DIR}/samples/草20-1.kvd
            --neighbour ${PROJECT_SOURCE_DIR}/samples/没有.kvd
            --neighbour ${PROJECT_SOURCE_DIR}/samples/草20-3.kvd --step 50)
  # Keys print in order: the refusals (the open well's own file and the missing one, each with
  # its reason), then the two accepted neighbours' blocks in the order they were given.
  set_tests_properties(calc.anticollision.samples PROPERTIES LABELS core
    PASS_REGULAR_EXPRESSION "\"refused\": \\[[^]]*本井设计文件[^]]*没有.kvd[^]]*文件不存在[^]]*\\].*\"step\": 50.*草20-2.r目  前.*草20-3.r目  前")
endif()
