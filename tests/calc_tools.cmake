# tarsek-calc's tool subcommand gives the window's figures for the worked examples.
if(TARGET tarsek-calc)
  function(tarsek_calc_tool_test name expect)
    add_test(NAME calc.tool.${name} COMMAND tarsek-calc tool ${ARGN})
    set_tests_properties(calc.tool.${name} PROPERTIES LABELS calc PASS_REGULAR_EXPRESSION "${expect}")
  endfunction()
  tarsek_calc_tool_test(hydraulics "泵 排 量  ：12.94 L/s.*功率利用率：34.13 %"
    hydraulics H=2000 n=60 Dl=150 rho=1.2 d1=12 d2=12 d3=12 Db=215.9 Dco=177.8 Dci=71.4 Lc=150)
  tarsek_calc_tool_test(casing "50.60吨.*2.21.*1.47.*1.59.*24.01m\\^3"
    casing grade=0 rho=1.2 L=2000 Hc=1980)
  tarsek_calc_tool_test(kill_margin_once "\"W\": \"11.27\",[ \n]*\"rho1\": \" 1.4576\""
    kill H=2500 Pd=3.5 rho0=1.20 V=100 rhow=4.2 margin=2)
  tarsek_calc_tool_test(weighting "\"W\": \"5.87\"" weighting rho0=1.2 rho1=1.34 V=100 rhow=4.2)
  tarsek_calc_tool_test(stuck "\"L\": \"1787.50\",[ \n]*\"Vo\": \"30.80\"" stuck e=50 P=20 Dh=215.9 H=2500)
  tarsek_calc_tool_test(turn "\"T4\": \"184.29\".*\"T8\": \"1108.69\".*\"T7\": \"-4.29\".*\"T10\": \"101.133\",[ \n]*\"T9\": \"30.694\""
    turn MD1=1000 I1=30 A1=100 MD2=1030 I2=32 A2=105 Ao=150 w0=40 K=3)
  # Impossible input is refused as the window refuses it, naming the box, with exit status 3.
  function(tarsek_calc_tool_refusal name says)
    list(JOIN ARGN "|" args)
    add_test(NAME calc.tool.refuses_${name}
      COMMAND ${CMAKE_COMMAND} -DCALC=$<TARGET_FILE:tarsek-calc> "-DARGS=tool|${args}" -DEXIT=3
              "-DSAYS=${says}" -P ${CMAKE_CURRENT_SOURCE_DIR}/calc/check_calc_run.cmake)
    set_tests_properties(calc.tool.refuses_${name} PROPERTIES LABELS calc)
  endfunction()
  tarsek_calc_tool_refusal(negative_stretch 平均伸长 stuck e=-50 P=20 Dh=215.9 H=2500)
  tarsek_calc_tool_refusal(small_bit 钻头直径
    hydraulics H=2000 n=60 Dl=150 rho=1.2 d1=12 d2=12 d3=12 Db=120 Dco=100 Dci=50 Lc=150)
  tarsek_calc_tool_refusal(casing_grade 套管规格不在规格表中 casing grade=abc rho=1.2 L=2000 Hc=1980)
  add_test(NAME calc.tool.unknown_input COMMAND tarsek-calc tool stuck x=1)
  set_tests_properties(calc.tool.unknown_input PROPERTIES LABELS calc WILL_FAIL TRUE)
endif()
