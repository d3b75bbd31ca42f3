# Runs `tarsek-calc tool` with inputs it must refuse (CALC, ARGS as a ;-list) and checks the exit
# status (EXIT), that nothing went to standard output and that the message says SAYS.
execute_process(COMMAND ${CALC} tool ${ARGS}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL EXIT)
  message(FATAL_ERROR "exit status ${rc}, expected ${EXIT}; stderr: ${err}")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "unexpected output: ${out}")
endif()
string(FIND "${err}" "${SAYS}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the message '${err}' does not say '${SAYS}'")
endif()
