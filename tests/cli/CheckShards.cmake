# A series run as shards 1/3, 2/3 and 3/3 and merged (both phases of a
# two-phase series) keeps byte for byte the engines `iterate --threads 1`
# writes and tells the same failed tests by reason. With MPIEXEC the cluster
# driver on three ranks must write and tell them too. Parts of an older
# version, which kept no reasons, still merge: their failures are told as of
# no known reason.
#   -DPROGRAM=brisca-cli -DENGINE=.qen "-DSERIES=--preset,cam-hp" -DPHASES=1|2 -DWORK=dir
#   [-DMPI_PROGRAM=brisca-mpi-iterate "-DMPIEXEC=mpiexec,-n,3,..."]
# Lists arrive with "," for ";".
string(REPLACE "," ";" SERIES "${SERIES}")
string(REPLACE "," ";" MPIEXEC "${MPIEXEC}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nexited with ${status}\n${out}\n${err}")
  endif()
  set(last_err "${err}" PARENT_SCOPE)
endfunction()

# The failures by reason told on standard error (notice 332), or "".
function(failure_reasons var text)
  string(REGEX MATCH "Notice 332: [^\n]*(\n    [^\n]*)*" reasons "${text}")
  set(${var} "${reasons}" PARENT_SCOPE)
endfunction()

function(expect_same_reasons what text)
  failure_reasons(reasons "${text}")
  if(NOT reasons STREQUAL whole_reasons)
    message(FATAL_ERROR "${what} tells the failures as\n${reasons}\nthe whole run as\n${whole_reasons}")
  endif()
endfunction()

function(compare_dirs reference candidate)
  file(GLOB expected RELATIVE ${reference} ${reference}/*.qen)
  file(GLOB got RELATIVE ${candidate} ${candidate}/*.qen)
  list(SORT expected)
  list(SORT got)
  list(LENGTH expected count)
  if(count EQUAL 0 OR NOT expected STREQUAL got)
    message(FATAL_ERROR "${candidate} holds [${got}], the whole run wrote [${expected}]")
  endif()
  foreach(name IN LISTS expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${reference}/${name} ${candidate}/${name}
                    RESULT_VARIABLE differ)
    if(differ)
      message(FATAL_ERROR "${candidate}/${name} differs from the whole run's")
    endif()
  endforeach()
endfunction()

run(${PROGRAM} iterate ${ENGINE} ${SERIES} --threads 1 --out ${WORK}/whole)
failure_reasons(whole_reasons "${last_err}")

set(from "")
foreach(phase RANGE 1 ${PHASES})
  set(parts "")
  foreach(k 1 2 3)
    run(${PROGRAM} iterate ${ENGINE} ${SERIES} --shard ${k}/3 --phase ${phase} ${from}
        --threads 2 --out ${WORK}/phase${phase}-part${k}.json)
    list(APPEND parts ${WORK}/phase${phase}-part${k}.json)
  endforeach()
  run(${PROGRAM} iterate-merge ${parts} --out ${WORK}/merged${phase})
  set(from --from ${WORK}/merged${phase}/merged-phase${phase}.json)
endforeach()
compare_dirs(${WORK}/whole ${WORK}/merged${PHASES})
expect_same_reasons("iterate-merge" "${last_err}")

if(PHASES EQUAL 1 AND whole_reasons)
  # The same parts as an older version wrote them: no failure counts.
  set(older "")
  foreach(k 1 2 3)
    file(READ ${WORK}/phase1-part${k}.json record)
    string(REGEX REPLACE "\"failure-counts\": [^\"]*" "" record "${record}")
    file(WRITE ${WORK}/older-part${k}.json "${record}")
    list(APPEND older ${WORK}/older-part${k}.json)
  endforeach()
  run(${PROGRAM} iterate-merge ${older} --out ${WORK}/merged-older)
  compare_dirs(${WORK}/whole ${WORK}/merged-older)
  string(REGEX MATCHALL "[0-9]+ tests?: Error" counts "${whole_reasons}")
  set(failed 0)
  foreach(count IN LISTS counts)
    string(REGEX MATCH "^[0-9]+" count "${count}")
    math(EXPR failed "${failed} + ${count}")
  endforeach()
  failure_reasons(reasons "${last_err}")
  if(NOT reasons MATCHES "\n    ${failed} tests?: reason not recorded[^\n]*$" OR reasons MATCHES "Error")
    message(FATAL_ERROR "merged older parts tell the ${failed} failures as\n${reasons}")
  endif()
endif()

if(MPI_PROGRAM)
  run(${MPIEXEC} ${MPI_PROGRAM} ${ENGINE} ${SERIES} --out ${WORK}/mpi)
  compare_dirs(${WORK}/whole ${WORK}/mpi)
  expect_same_reasons("brisca-mpi-iterate" "${last_err}")
endif()
