# Files that are not what a command expects: pipes, device nodes, /dev/zero,
# links, folders, names too long, outputs that are in the way. Every command
# must end with its numbered error (or write where it should), never hang,
# never read without end, never abort, never put a plain file in a device's
# place.
#   -DPROGRAM=brisca-cli -DENGINE=.qen -DSETUP=one-phase setup -DDUAL_SETUP=two-phase setup
#   -DWORK=dir -DDATA=program-data folder (the installed report pieces) [-DADDRESS_LIMIT=OFF]
# Each command runs under `timeout 20` and a 2 GB address-space limit, so a
# reader that blocks or eats memory fails its row instead of the whole suite.
# The address sanitizer reserves terabytes of address space for its shadow
# memory and cannot start under such a limit: its build runs without it.
# A full disk is a file-size limit with SIGXFSZ ignored: a write past it fails
# with EFBIG as it would with ENOSPC, and it needs no root and no mount.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{XDG_DATA_HOME} ${WORK}/xdg)
if(DEFINED ADDRESS_LIMIT AND NOT ADDRESS_LIMIT)
  set(address_limit "")
else()
  set(address_limit "ulimit -v 2000000 && ")
endif()
set(bounded sh -c "${address_limit}exec timeout 20 \"$@\"" sh ${PROGRAM})
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)

# expect(name status stderr-regex args...): brisca-cli exits with `status` and
# says what `stderr-regex` matches; its stdout is left in `out`, its stderr in `err`.
function(expect name status regex)
  if(NOT DEFINED runner)
    set(runner ${bounded})
  endif()
  execute_process(COMMAND ${runner} ${ARGN} RESULT_VARIABLE got OUTPUT_VARIABLE stdout
                  ERROR_VARIABLE err)
  if(NOT got STREQUAL "${status}" OR NOT err MATCHES "${regex}")
    message(SEND_ERROR "${name}: exit ${got} (wanted ${status}), stderr:\n${err}\nwanted: ${regex}")
  endif()
  set(out "${stdout}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# expect_full(name blocks status stderr-regex args...): as expect, on a disk
# where no file grows past `blocks` blocks (512 bytes each under dash's ulimit,
# 1024 under bash's: a row's sizes leave room for both).
function(expect_full name blocks status regex)
  set(runner sh -c "trap '' XFSZ && ulimit -f ${blocks} && ${address_limit}exec timeout 20 \"$@\""
      sh ${PROGRAM})
  expect(${name} ${status} "${regex}" ${ARGN})
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# same(name path was): `path` holds byte for byte what `was` holds.
function(same name path was)
  execute_process(COMMAND cmp -s ${path} ${was} RESULT_VARIABLE differ)
  if(differ)
    message(SEND_ERROR "${name}: ${path} is not what it was (${was})")
  endif()
endfunction()

# no_temporaries(name folder): no save left a temporary file in `folder`.
function(no_temporaries name folder)
  file(GLOB left LIST_DIRECTORIES true "${folder}/.*.tmp")
  if(left)
    message(SEND_ERROR "${name}: temporaries left behind: ${left}")
  endif()
endfunction()

# is(name test-flag path): `test` says so (-p pipe, -c character device, -L link, -f file).
function(is name flag path)
  execute_process(COMMAND test ${flag} ${path} RESULT_VARIABLE no)
  if(no)
    message(SEND_ERROR "${name}: ${path} is no longer what `test ${flag}` wants")
  endif()
endfunction()

# saved_through_pipe(name path): `run --output path` writes into a pipe that a
# reader empties; the table arrives and the pipe stays a pipe.
function(saved_through_pipe name path pipe)
  execute_process(COMMAND ${bounded} run ${ENGINE} --output ${path}
                  COMMAND timeout 20 cat ${pipe}
                  RESULTS_VARIABLE statuses OUTPUT_VARIABLE read ERROR_VARIABLE err)
  if(NOT statuses STREQUAL "0;0" OR NOT read MATCHES "Engine Speed")
    message(SEND_ERROR "${name}: exits ${statuses}, read:\n${read}\nstderr:\n${err}")
  endif()
  is(${name} -p ${pipe})
endfunction()

# new_pipe(path): a fresh pipe at `path`, whatever an earlier row left there.
function(new_pipe path)
  file(REMOVE ${path})
  execute_process(COMMAND mkfifo ${path})
endfunction()

new_pipe(${WORK}/pipe)
file(CREATE_LINK pipe ${WORK}/link-to-pipe SYMBOLIC)
file(CREATE_LINK loop ${WORK}/loop SYMBOLIC)
file(MAKE_DIRECTORY ${WORK}/folder)
file(WRITE ${WORK}/file.txt "old\n")
file(CREATE_LINK file.txt ${WORK}/link-to-file SYMBOLIC)
file(CREATE_LINK /proc/self/fd/1 ${WORK}/link-to-stdout SYMBOLIC)
string(REPEAT n 300 long_name)
set(long_path ${WORK})
string(REPEAT p 200 component)
foreach(i RANGE 22)
  string(APPEND long_path /${component})
endforeach()
set(shard iterate ${ENGINE} --setup ${SETUP} --shard 1/3 --threads 1)

# Saving: a file is replaced beside itself (through a link, which stays); a
# pipe or a device is written in place; a folder is refused.
saved_through_pipe(save_to_pipe ${WORK}/pipe ${WORK}/pipe)
saved_through_pipe(save_through_link_to_pipe ${WORK}/link-to-pipe ${WORK}/pipe)
is(save_through_link_to_pipe -L ${WORK}/link-to-pipe)
expect(save_through_link_to_stdout 0 "" run ${ENGINE} --output ${WORK}/link-to-stdout)
if(NOT out MATCHES "Engine Speed")
  message(SEND_ERROR "save_through_link_to_stdout: nothing arrived on stdout")
endif()
is(save_through_link_to_stdout -L ${WORK}/link-to-stdout)
expect(save_through_link_to_file 0 "" run ${ENGINE} --output ${WORK}/link-to-file)
is(save_through_link_to_file -L ${WORK}/link-to-file)
file(READ ${WORK}/file.txt saved)
if(NOT saved MATCHES "Engine Speed")
  message(SEND_ERROR "save_through_link_to_file: the link's file holds\n${saved}")
endif()
expect(save_to_folder 1 "Error 43: " run ${ENGINE} --output ${WORK}/folder)
file(CREATE_LINK folder ${WORK}/link-to-folder SYMBOLIC)
expect(save_through_link_to_folder 1 "Error 43: " run ${ENGINE} --output ${WORK}/link-to-folder)
is(save_through_link_to_folder -L ${WORK}/link-to-folder)
if(uid STREQUAL "0")
  execute_process(COMMAND mknod ${WORK}/null c 1 3)
  file(CREATE_LINK null ${WORK}/link-to-null SYMBOLIC)
  expect(save_to_device 0 "" run ${ENGINE} --output ${WORK}/null)
  is(save_to_device -c ${WORK}/null)
  expect(save_through_link_to_device 0 "" run ${ENGINE} --output ${WORK}/link-to-null)
  is(save_through_link_to_device -L ${WORK}/link-to-null)
  is(save_through_link_to_device -c ${WORK}/null)
  expect(device_as_engine 1 "Error 351: " run ${WORK}/null)
else()
  message(STATUS "not root: the device-node rows are skipped")
endif()

# Reading: only regular files; no pipe is waited on, no device read.
new_pipe(${WORK}/in-pipe)
expect(pipe_as_engine 1 "Error 351: " run ${WORK}/in-pipe)
expect(pipe_as_setup 1 "Error 351: " iterate ${ENGINE} --setup ${WORK}/in-pipe)
expect(zero_as_setup 1 "Error 351: " iterate ${ENGINE} --setup /dev/zero)
expect(zero_as_engine 1 "Error 351: " run /dev/zero)
expect(zero_as_template 1 "Error 123: " report ${ENGINE} --template /dev/zero --output ${WORK}/r.html)
expect(folder_as_setup 1 "Error 43: " iterate ${ENGINE} --setup ${WORK}/folder)
expect(zero_as_shard_part 1 "/dev/zero: it is not a regular file"
  iterate-merge /dev/zero --out ${WORK}/merged)
expect(pipe_as_shard_part 1 "in-pipe: it is not a regular file" iterate-merge ${WORK}/in-pipe --out ${WORK}/merged)
expect(pipe_as_from 1 "in-pipe: it is not a regular file"
  iterate ${ENGINE} --setup ${DUAL_SETUP} --shard 1/3 --phase 2 --from ${WORK}/in-pipe --out ${WORK}/p2.json)
expect(pipe_as_checkpoint 1 "in-pipe: it is not a regular file"
  ${shard} --checkpoint ${WORK}/in-pipe --out ${WORK}/part.json)
expect(pipe_as_template 1 "Error [0-9]+: " report ${ENGINE} --template ${WORK}/in-pipe --output ${WORK}/r.html)
if(EXISTS ${WORK}/merged OR EXISTS ${WORK}/p2.json OR EXISTS ${WORK}/part.json)
  message(SEND_ERROR "a refused run wrote its output")
endif()

# Paths that cannot even be looked at are numbered errors before the work,
# never an exception out of main (exit 134).
expect(checkpoint_name_too_long 1 "Error 352: .*File name too long"
  ${shard} --checkpoint ${WORK}/${long_name} --out ${WORK}/part.json)
expect(checkpoint_path_too_long 1 "Error 352: .*File name too long"
  ${shard} --checkpoint ${long_path}/ck.json --out ${WORK}/part.json)
expect(checkpoint_link_loop 1 "Error 352: .*Too many levels of symbolic links"
  ${shard} --checkpoint ${WORK}/loop --out ${WORK}/part.json)
expect(shard_out_name_too_long 1 "Error 352: " ${shard} --out ${WORK}/${long_name})
expect(setup_name_too_long 1 "Error 352: .*File name too long" iterate ${ENGINE} --setup ${WORK}/${long_name})
expect(setup_path_too_long 1 "Error 352: .*File name too long" iterate ${ENGINE} --setup ${long_path}/s.txt)
expect(setup_link_loop 1 "Error 352: .*Too many levels of symbolic links" iterate ${ENGINE} --setup ${WORK}/loop)
expect(shard_part_link_loop 1 "Error 352: .*loop: Too many levels of symbolic links" iterate-merge ${WORK}/loop --out ${WORK}/merged)
expect(report_output_name_too_long 1 "Error 352: .*File name too long" report ${ENGINE} --output ${WORK}/${long_name})
expect(report_output_link_loop 1 "Error 352: .*Too many levels of symbolic links" report ${ENGINE} --output ${WORK}/loop)
if(EXISTS ${WORK}/merged OR EXISTS ${WORK}/r.html)
  message(SEND_ERROR "a refused run wrote its output")
endif()

# Outputs in the way are found before the work, not after it.
expect(iterate_out_is_a_file 1 "Error 353: .*file.txt" iterate ${ENGINE} --setup ${SETUP} --out ${WORK}/file.txt)
if(out MATCHES "Rank")
  message(SEND_ERROR "iterate_out_is_a_file: the series ran first:\n${out}")
endif()
expect(shard_out_is_a_folder 1 "Error 43: " ${shard} --out ${WORK}/folder)

# Values that would write nowhere or compare with nothing are usage errors.
execute_process(COMMAND ${bounded} report ${ENGINE} --output "" RESULT_VARIABLE got ERROR_VARIABLE err)
if(NOT got EQUAL 2)
  message(SEND_ERROR "report_empty_output: exit ${got}, stderr:\n${err}")
endif()
expect(rpm_min_nan 2 "finite" run ${ENGINE} --rpm-min nan)
expect(checkpoint_seconds_nan 2 "finite" ${shard} --out ${WORK}/part.json --checkpoint-seconds nan)

# A save killed before its rename left a temporary beside the checkpoint: the
# next run of that shard clears it away, and the finished run its checkpoint.
file(WRITE ${WORK}/.ck.json.0123456789abcdef.tmp "{ half a rec")
expect(stale_temporary_removed 0 "" ${shard} --checkpoint ${WORK}/ck.json --out ${WORK}/part.json)
if(EXISTS ${WORK}/.ck.json.0123456789abcdef.tmp OR EXISTS ${WORK}/ck.json)
  message(SEND_ERROR "stale_temporary_removed: the temporary or the checkpoint is still there")
endif()

# A full disk: every save fails whole, with its number; what was there stays
# byte for byte, and no temporary is left beside it.
file(WRITE ${WORK}/table.txt "the previous table\n")
file(COPY_FILE ${WORK}/table.txt ${WORK}/table.was)
expect_full(full_disk_run_output 1 1 "Error 44: " run ${ENGINE} --output ${WORK}/table.txt)
same(full_disk_run_output ${WORK}/table.txt ${WORK}/table.was)
no_temporaries(full_disk_run_output ${WORK})

# The report folder: a full disk leaves each piece whole or absent; the next
# report completes it, and a piece found empty is replaced and named.
set(ENV{XDG_DATA_HOME} ${WORK}/report-xdg)
set(reports ${WORK}/report-xdg/brisca/Reports)
set(installed "${DATA}/Manuals & Videos/Kalvex")
set(report report ${ENGINE} --data-dir ${DATA})
file(GLOB pieces RELATIVE "${installed}" "${installed}/*")
# pieces_installed(name absent-allowed): each piece is the installed one (or absent).
function(pieces_installed name absent_allowed)
  foreach(piece ${pieces})
    if(EXISTS "${reports}/${piece}")
      same(${name} "${reports}/${piece}" "${installed}/${piece}")
    elseif(NOT absent_allowed)
      message(SEND_ERROR "${name}: ${piece} is missing from the report folder")
    endif()
  endforeach()
  no_temporaries(${name} ${reports})
endfunction()
expect_full(full_disk_report_folder 32 1 "Error 12[0-9]: " ${report} --output ${WORK}/report.html)
pieces_installed(full_disk_report_folder TRUE)
if(EXISTS ${reports}/DefaultLogo.bmp OR EXISTS ${WORK}/report.html)
  message(SEND_ERROR "full_disk_report_folder: the logo (56 KB) or the report was written")
endif()
expect(report_after_full_disk 0 "" ${report} --output ${WORK}/report.html)
pieces_installed(report_after_full_disk FALSE)
file(WRITE ${reports}/DefaultLogo.bmp "")
file(WRITE ${reports}/DefaultToc.html "")
file(WRITE ${WORK}/DefaultLogo.bmp "")
expect(empty_pieces_replaced 0 "Notice 305: " ${report} --output ${WORK}/report.html)
if(NOT err MATCHES "Reports/DefaultLogo.bmp" OR NOT err MATCHES "Reports/DefaultToc.html")
  message(SEND_ERROR "empty_pieces_replaced: the notice does not name both pieces:\n${err}")
endif()
pieces_installed(empty_pieces_replaced FALSE)
same(empty_pieces_replaced ${WORK}/DefaultLogo.bmp "${installed}/DefaultLogo.bmp")

# The report itself: its second pass makes it much longer than its first
# (every text piece names all three text pieces), so the disk is full only
# when the report is written, over the previous one.
file(COPY_FILE ${WORK}/report.html ${WORK}/report.was)
string(REPEAT "_INCLUDEATBOTTOM _TABLEOFCONTENTS _GLOSSARY\n" 40 amplifier)
foreach(piece DefaultCopyright.txt DefaultToc.html DefaultFullGlossary.html DefaultMiniGlossary.html)
  file(WRITE ${reports}/${piece} "${amplifier}")
endforeach()
expect_full(full_disk_report_output 80 1 "Error 127: " ${report} --output ${WORK}/report.html)
same(full_disk_report_output ${WORK}/report.html ${WORK}/report.was)
no_temporaries(full_disk_report_output ${WORK})
no_temporaries(full_disk_report_output ${reports})
# The row's premise: written in full, the intermediate fits the limit and the report does not.
expect(full_disk_report_output_premise 0 "" ${report} --output ${WORK}/probe.html)
file(SIZE ${reports}/DefaultTempFile.html intermediate)
file(SIZE ${WORK}/probe.html whole)
if(intermediate GREATER 40000 OR whole LESS 160000)
  message(SEND_ERROR "full_disk_report_output: intermediate ${intermediate} bytes, report ${whole}")
endif()

# The chart pictures (nearly 1 MB each) on a disk that holds the report and its
# logo but not a picture: each picture is whole or absent, and the failure is
# error 44 naming the picture and the cause, not a report that passes.
foreach(piece DefaultCopyright.txt DefaultToc.html DefaultFullGlossary.html DefaultMiniGlossary.html)
  file(COPY_FILE "${installed}/${piece}" "${reports}/${piece}")
endforeach()
file(MAKE_DIRECTORY ${WORK}/pictured)
expect(chart_pictures_premise 0 "" ${report} --output ${WORK}/pictured/report.html)
file(SIZE ${WORK}/pictured/DefaultLeftChart.bmp picture)
file(SIZE ${WORK}/pictured/report.html page)
if(picture LESS 500000 OR page GREATER 100000)
  message(SEND_ERROR "full_disk_chart_pictures: a picture of ${picture} bytes, a report of ${page}")
endif()
expect_full(full_disk_chart_pictures 400 1 "Error 44: .*DefaultLeftChart\\.bmp: File too large"
            ${report} --output ${WORK}/pictured/report.html)
foreach(chart DefaultLeftChart.bmp DefaultRightChart.bmp)
  if(EXISTS ${WORK}/pictured/${chart})
    file(SIZE ${WORK}/pictured/${chart} size)
    if(NOT size EQUAL picture)
      message(SEND_ERROR "full_disk_chart_pictures: ${chart} was cut short (${size} of ${picture} bytes)")
    endif()
  endif()
endforeach()
no_temporaries(full_disk_chart_pictures ${WORK}/pictured)
