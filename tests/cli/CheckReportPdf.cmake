# Runs `brisca-cli report ... --pdf` on ENGINE with the report folder below XDG
# (a scratch data home) and checks the PDF with poppler's tools: several A4
# pages, the report's texts, and the logo and both 600 x 550 chart pictures
# among its images.
file(REMOVE ${PDF})
set(ENV{XDG_DATA_HOME} "${XDG}")
execute_process(COMMAND ${PROGRAM} report ${ENGINE} --output ${OUTPUT} --pdf ${PDF}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "report failed (${status}):\n${out}\n${err}")
endif()
if(NOT out MATCHES "PDF written to .*PdfReport\\.pdf")
  message(FATAL_ERROR "no word of the PDF:\n${out}")
endif()

execute_process(COMMAND pdfinfo ${PDF} RESULT_VARIABLE status OUTPUT_VARIABLE info ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pdfinfo cannot read the PDF:\n${err}")
endif()
string(REGEX MATCH "Pages: +([0-9]+)" _ "${info}")
if(CMAKE_MATCH_1 LESS 3)
  message(FATAL_ERROR "only ${CMAKE_MATCH_1} pages:\n${info}")
endif()
if(NOT info MATCHES "Page size: +595(\\.[0-9]+)? x 84[12](\\.[0-9]+)? pts \\(A4\\)")
  message(FATAL_ERROR "pages are not A4:\n${info}")
endif()

execute_process(COMMAND pdftotext -layout ${PDF} - OUTPUT_VARIABLE text RESULT_VARIABLE status)
foreach(expected "Engine summary" "Dynamometer results" "Glossary" "4.21.0705")
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the PDF lacks \"${expected}\"")
  endif()
endforeach()
# No macro was left unfilled.
if(text MATCHES "_(RPM|HP|TORQ|SB|CH|CM)[A-Z]*[0-9]*")
  message(FATAL_ERROR "an unfilled macro in the PDF: ${CMAKE_MATCH_0}")
endif()

execute_process(COMMAND pdfimages -list ${PDF} OUTPUT_VARIABLE images)
string(REGEX MATCHALL "\n +[0-9]+ +[0-9]+ +image +600 +550 " charts "${images}")
list(LENGTH charts chartCount)
if(chartCount LESS 2)
  message(FATAL_ERROR "the two 600 x 550 charts are not in the PDF:\n${images}")
endif()
if(NOT images MATCHES "image +240 +80 ")
  message(FATAL_ERROR "the logo is not in the PDF:\n${images}")
endif()
