# Runs `brisca-cli print ENGINE --output OUTPUT` and checks the PDF: seven pages
# (pdfinfo), each under its header line with the engine's TITLE, the program
# and version and its page number (pdftotext).
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${PROGRAM} print ${ENGINE} --output ${OUTPUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "print failed (${status}):\n${out}\n${err}")
endif()
if(NOT out MATCHES "7 pages printed to ")
  message(FATAL_ERROR "unexpected output: ${out}")
endif()
if(NOT PDFINFO OR NOT PDFTOTEXT)
  message(FATAL_ERROR "pdfinfo and pdftotext (poppler-utils) are needed to read the PDF")
endif()
execute_process(COMMAND ${PDFINFO} ${OUTPUT} RESULT_VARIABLE status OUTPUT_VARIABLE info)
if(NOT status EQUAL 0 OR NOT info MATCHES "\nPages: +7\n")
  message(FATAL_ERROR "the PDF has not seven pages:\n${info}")
endif()
foreach(page RANGE 1 7)
  execute_process(COMMAND ${PDFTOTEXT} -layout -f ${page} -l ${page} ${OUTPUT} -
                  RESULT_VARIABLE status OUTPUT_VARIABLE text)
  string(REGEX MATCH "^[^\n]*\n?[^\n]*" head "${text}")
  if(NOT status EQUAL 0 OR NOT head MATCHES "${TITLE} +Brisca +Version 4\\.21\\.0705 +Page ${page} of 7")
    message(FATAL_ERROR "page ${page} lacks its header line:\n${head}")
  endif()
endforeach()
# The form's first page shows the engine's values, not only its labels.
execute_process(COMMAND ${PDFTOTEXT} -f 1 -l 1 ${OUTPUT} - OUTPUT_VARIABLE first)
if(NOT first MATCHES "Short Block" OR NOT first MATCHES "Bore:")
  message(FATAL_ERROR "page 1 is not the engine form:\n${first}")
endif()
