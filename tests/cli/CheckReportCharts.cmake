# Runs `brisca-cli report` on ENGINE with the report folder below XDG (a scratch
# data home) and checks that both chart pictures were written, 600 x 550, with
# more than a white page in them.
file(GLOB_RECURSE old "${XDG}/*ChartImage*" "${XDG}/Default*Chart.bmp")
if(old)
  file(REMOVE ${old})
endif()
set(ENV{XDG_DATA_HOME} "${XDG}")
execute_process(COMMAND ${PROGRAM} report ${ENGINE} --output ${OUTPUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "report failed (${status}):\n${out}\n${err}")
endif()
foreach(name DefaultLeftChart.bmp DefaultRightChart.bmp)
  file(GLOB_RECURSE found "${XDG}/${name}" "${XDG}/*/${name}")
  if(NOT found)
    message(FATAL_ERROR "${name} was not written below ${XDG}")
  endif()
  list(GET found 0 picture)
  # BITMAPINFOHEADER: width at byte 18, height at byte 22 (little-endian).
  file(READ ${picture} header OFFSET 18 LIMIT 8 HEX)
  if(NOT header MATCHES "^58020000(26020000|dafdffff)")
    message(FATAL_ERROR "${name} is not 600 x 550: ${header}")
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
