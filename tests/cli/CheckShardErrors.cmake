# Parts that are missing, repeated, foreign, damaged or unfinished are refused
# with the part named, and the merge writes nothing.
#   -DPROGRAM=brisca-cli -DENGINE=.qen -DSETUP=one-phase setup -DOTHER_SETUP=another -DWORK=dir
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(shard setup k out)
  execute_process(COMMAND ${PROGRAM} iterate ${ENGINE} --setup ${setup} --shard ${k}/3 --threads 2
                          --out ${out} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "shard ${k}/3 of ${setup} exited with ${status}")
  endif()
endfunction()
shard(${SETUP} 1 ${WORK}/part1.json)
shard(${SETUP} 2 ${WORK}/part2.json)
shard(${SETUP} 3 ${WORK}/part3.json)
shard(${OTHER_SETUP} 3 ${WORK}/foreign3.json)
file(COPY_FILE ${WORK}/part2.json ${WORK}/again2.json)
file(READ ${WORK}/part2.json text)
string(SUBSTRING "${text}" 0 200 cut)
file(WRITE ${WORK}/damaged2.json "${cut}")
file(READ ${WORK}/part3.json text)
string(REPLACE "\"complete\": true" "\"complete\": false" text "${text}")
file(WRITE ${WORK}/running3.json "${text}")

# case name | expected stderr | the parts, separated by ","
set(cases
  "missing|shard 2 of 3 is missing|part1,part3"
  "duplicate|again2.json is shard 2 again \\(as .*part2.json\\)|part1,part2,again2"
  "foreign|foreign3.json belongs to another series than .*part1.json \\(its setup .*differs\\)|part1,part2,foreign3"
  "damaged|damaged2.json: not well-formed|part1,damaged2,part3"
  "running|running3.json is not finished|part1,part2,running3"
  "phase-1 record is a part|part1.json is not the merged record of phase 1|")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 expected)
  list(LENGTH fields count)
  set(out ${WORK}/out-${name})
  if(count GREATER 2)
    list(GET fields 2 parts)
    string(REPLACE "," ";" parts "${parts}")
    list(TRANSFORM parts PREPEND ${WORK}/)
    list(TRANSFORM parts APPEND .json)
    set(command ${PROGRAM} iterate-merge ${parts} --out ${out})
  else()
    # A phase-2 shard started from something that is not a merged phase-1 record.
    set(command ${PROGRAM} iterate ${ENGINE} --setup ${OTHER_SETUP} --shard 1/3 --phase 2
                --from ${WORK}/part1.json --out ${out})
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE err)
  if(NOT status EQUAL 1 OR NOT err MATCHES "${expected}")
    message(FATAL_ERROR "${name}: exit ${status}, stderr:\n${err}\nwanted: ${expected}")
  endif()
  if(EXISTS ${out})
    message(FATAL_ERROR "${name}: ${out} was written")
  endif()
endforeach()
