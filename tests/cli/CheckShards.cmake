# A series run as shards 1/3, 2/3 and 3/3 and merged (both phases of a
# two-phase series) keeps byte for byte the engines `iterate --threads 1`
# writes. With MPIEXEC the cluster driver on three ranks must write them too.
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

if(MPI_PROGRAM)
  run(${MPIEXEC} ${MPI_PROGRAM} ${ENGINE} ${SERIES} --out ${WORK}/mpi)
  compare_dirs(${WORK}/whole ${WORK}/mpi)
endif()
