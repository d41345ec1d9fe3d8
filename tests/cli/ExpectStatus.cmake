# Runs PROGRAM with ARGS (a ;-list) and fails unless it exits with EXPECTED.
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT "${status}" STREQUAL "${EXPECTED}")
  message(FATAL_ERROR "expected exit status ${EXPECTED}, got ${status}\nstdout: ${out}\nstderr: ${err}")
endif()
