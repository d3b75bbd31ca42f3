# Runs tarsek-calc on a file it must refuse (CALC, FILE, optional METHOD) and checks the exit
# status (EXIT), that nothing went to standard output and that the message says SAYS.
if(NOT DEFINED METHOD)
  set(METHOD 0)
endif()
execute_process(COMMAND ${CALC} well ${FILE} --method ${METHOD}
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
