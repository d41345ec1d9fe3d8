# A shard killed mid-run resumes from its checkpoint, run again with the same
# arguments, and writes the same partial result as an uninterrupted run.
#   -DPROGRAM=brisca-cli -DENGINE=.qen "-DSERIES=--preset,cam-hp" -DWORK=dir
# Lists arrive with "," for ";".
string(REPLACE "," ";" SERIES "${SERIES}")
string(REPLACE "," ";" MPIEXEC "${MPIEXEC}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(shard iterate ${ENGINE} ${SERIES} --shard 1/1 --threads 1)

execute_process(COMMAND ${PROGRAM} ${shard} --out ${WORK}/whole.json RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the uninterrupted shard exited with ${status}")
endif()

# Killed after a while (longer each time, should the machine be slow to start it).
foreach(seconds 1 2 4 8)
  execute_process(COMMAND ${PROGRAM} ${shard} --checkpoint ${WORK}/progress.json --checkpoint-seconds 0
                          --out ${WORK}/resumed.json
                  TIMEOUT ${seconds} RESULT_VARIABLE status)
  if(EXISTS ${WORK}/resumed.json)
    message(FATAL_ERROR "the shard finished within ${seconds} s before it could be killed")
  endif()
  if(EXISTS ${WORK}/progress.json)
    break()
  endif()
endforeach()
file(READ ${WORK}/progress.json saved)
if(NOT saved MATCHES "\"complete\": false" OR saved MATCHES "\"tests-run\": 0,")
  message(FATAL_ERROR "the checkpoint is not a shard's progress mid-run:\n${saved}")
endif()

execute_process(COMMAND ${PROGRAM} ${shard} --checkpoint ${WORK}/progress.json --checkpoint-seconds 0
                        --out ${WORK}/resumed.json
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT err MATCHES "resuming shard 1/1 after test [1-9]")
  message(FATAL_ERROR "the resumed shard exited with ${status}:\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/whole.json ${WORK}/resumed.json
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the resumed shard's partial differs from the uninterrupted one")
endif()
if(EXISTS ${WORK}/progress.json)
  message(FATAL_ERROR "the checkpoint was left behind after the shard finished")
endif()
