# Runs `brisca-cli report` on ENGINE with the report folder below XDG (a scratch
# data home) and the report written outside it, at OUTPUT, and checks that both
# chart pictures were written beside the report, 600 x 550, on white, with more
# than a white page in them.
get_filename_component(beside ${OUTPUT} DIRECTORY)
# A report folder left by an earlier build keeps its older template: start afresh.
file(REMOVE_RECURSE ${XDG})
file(GLOB_RECURSE old "${XDG}/*ChartImage*" "${XDG}/Default*Chart.bmp" "${beside}/Default*Chart.bmp")
if(old)
  file(REMOVE ${old})
endif()
set(ENV{XDG_DATA_HOME} "${XDG}")
execute_process(COMMAND ${PROGRAM} report ${ENGINE} --output ${OUTPUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "report failed (${status}):\n${out}\n${err}")
endif()
file(READ ${OUTPUT} html)
# Texts that read plainly whatever the engine: no nitrous claimed for an engine
# without it, no "***" after a ramp rate that is set by hand.
if(html MATCHES "With nitrous \\(" OR html MATCHES "<td>[0-9.]+ (\\*\\*\\*|\\(Auto\\))</td>")
  message(FATAL_ERROR "the report claims nitrous or runs a ramp rate into its flag")
endif()
foreach(name DefaultLeftChart.bmp DefaultRightChart.bmp)
  set(picture ${beside}/${name})
  if(NOT EXISTS ${picture})
    message(FATAL_ERROR "${name} was not written beside ${OUTPUT}")
  endif()
  if(NOT html MATCHES "src=\"${name}\"")
    message(FATAL_ERROR "the report does not show ${name}")
  endif()
  # BITMAPINFOHEADER: width at byte 18, height at byte 22 (little-endian).
  file(READ ${picture} header OFFSET 18 LIMIT 8 HEX)
  if(NOT header MATCHES "^58020000(26020000|dafdffff)")
    message(FATAL_ERROR "${name} is not 600 x 550: ${header}")
  endif()
  # The background is white: a pixel three in from the bottom-left corner of a
  # 24-bit bottom-up picture (rows of 1800 bytes from the data offset).
  file(READ ${picture} offset OFFSET 10 LIMIT 4 HEX)
  string(REGEX REPLACE "^(..)(..)(..)(..)$" "0x\\4\\3\\2\\1" offset "${offset}")
  file(READ ${picture} bits OFFSET 28 LIMIT 2 HEX)
  if(NOT bits STREQUAL "1800")
    message(FATAL_ERROR "${name} is not a 24-bit picture: ${bits}")
  endif()
  math(EXPR corner "${offset} + 3 * 1800 + 3 * 3")
  file(READ ${picture} background OFFSET ${corner} LIMIT 3 HEX)
  if(NOT background STREQUAL "ffffff")
    message(FATAL_ERROR "${name} has no white background: ${background} (blue, green, red)")
  endif()
  # The middle of the picture holds more than white.
  file(SIZE ${picture} size)
  math(EXPR middle "${size} / 3")
  file(READ ${picture} slice OFFSET ${middle} LIMIT 200000 HEX)
  string(REGEX REPLACE "ff" "" coloured "${slice}")
  string(LENGTH "${coloured}" left)
  if(left LESS 2000)
    message(FATAL_ERROR "${name} is blank")
  endif()
endforeach()

# The conditions: with none given the engine summary states the model's own air
# and nothing else changes; with a standard the summary and a note under the
# results name it, and the command says so.
if(NOT html MATCHES "<td>Test conditions</td><td>Uncorrected \\(model air: [^<]*\\)</td>"
   OR html MATCHES "<p class=\"note\">(Corrected|At|Uncorrected)" OR out MATCHES "power and torque")
  message(FATAL_ERROR "an uncorrected report does not state the model's air alone:\n${out}")
endif()
execute_process(COMMAND ${PROGRAM} report ${ENGINE} --output ${OUTPUT} --standard sae-j1349
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ ${OUTPUT} corrected)
if(NOT status EQUAL 0 OR NOT out MATCHES "power and torque: Corrected to SAE J1349, factor 0\\.9759"
   OR NOT corrected MATCHES "<td>Test conditions</td><td>Corrected to SAE J1349, factor 0\\.9759</td>"
   OR NOT corrected MATCHES "<p class=\"note\">Corrected to SAE J1349, factor 0\\.9759</p>")
  message(FATAL_ERROR "a corrected report does not name its standard (${status}):\n${out}\n${err}")
endif()
