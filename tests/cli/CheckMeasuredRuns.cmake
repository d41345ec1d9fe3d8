# The measured-run commands end to end. Run as:
#   cmake -DPROGRAM=<brisca-cli> -DENGINE=<.qen> -DGOLDEN=<stem of the stored outputs>
#         -DSAMPLES=<data/Measured> -DWORK=<scratch folder> -P CheckMeasuredRuns.cmake
#
# 1. Without condition or unit options, run's table, CSV and JSON are byte for
#    byte what they were before the options existed (GOLDEN.txt/.csv/.json).
# 2. A run written as CSV, read back as a measured run, meets its own curve:
#    RMS under 0.1 % in the program's units, in metric units and at a weather.
# 3. compare reads both sample exports (exit 0) and refuses a broken file (exit 1).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run_program status_var out_var)
  execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${status_var} "${status}" PARENT_SCOPE)
  set(${out_var} "${out}" PARENT_SCOPE)
  if(NOT status EQUAL 0 AND NOT status EQUAL 1)
    message(FATAL_ERROR "brisca-cli ${ARGN}: status ${status}\n${err}")
  endif()
endfunction()

foreach(pair "table;txt" "csv;csv" "json;json")
  list(GET pair 0 format)
  list(GET pair 1 ext)
  run_program(status out run ${ENGINE} --format ${format})
  file(READ ${GOLDEN}.${ext} expected)
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "run --format ${format} differs from ${GOLDEN}.${ext}:\n${out}")
  endif()
endforeach()

# expect_round_trip(name "run options" "compare options")
function(expect_round_trip name run_options compare_options)
  run_program(status out run ${ENGINE} --format csv --output ${WORK}/${name}.csv ${run_options})
  run_program(status json compare ${ENGINE} ${WORK}/${name}.csv --format json ${compare_options})
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: compare failed\n${json}")
  endif()
  foreach(quantity power torque)
    string(JSON rms GET "${json}" ${quantity} rmsPercent)
    string(JSON compared GET "${json}" pointsCompared)
    if(compared LESS 20 OR rms GREATER_EQUAL 0.1)
      message(FATAL_ERROR "${name}: ${quantity} RMS ${rms} % over ${compared} points\n${json}")
    endif()
  endforeach()
endfunction()
expect_round_trip(program-units "" "")
expect_round_trip(metric "--units;metric" "")
set(weather --baro 28.9inHg --temp 95F --humidity 60 --standard eec-80-1269)
expect_round_trip(weather "${weather}" "${weather}")

file(GLOB samples "${SAMPLES}/*.csv")
list(LENGTH samples count)
if(count LESS 2)
  message(FATAL_ERROR "expected two sample exports in ${SAMPLES}")
endif()
foreach(sample IN LISTS samples)
  run_program(status out compare ${ENGINE} ${sample})
  if(NOT status EQUAL 0 OR NOT out MATCHES "Power: RMS [0-9.]+ HP .*Points compared: 15 ")
    message(FATAL_ERROR "compare ${sample}: status ${status}\n${out}")
  endif()
endforeach()

file(WRITE ${WORK}/broken.csv "RPM,Power\n3000,200\n3500,n/a\n")
execute_process(COMMAND ${PROGRAM} compare ${ENGINE} ${WORK}/broken.csv
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "broken.csv, line 3" OR NOT out STREQUAL "")
  message(FATAL_ERROR "a broken measured run: status ${status}\nstdout: ${out}\nstderr: ${err}")
endif()
