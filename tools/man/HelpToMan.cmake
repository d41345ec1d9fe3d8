# Writes a manual page from a program's own --help and --version texts, so the
# page never disagrees with the program: NAME, SYNOPSIS, the program's help as
# DESCRIPTION, then one section per command with that command's --help.
#   cmake -DPROGRAM=exe -DNAME=brisca-cli "-DSUMMARY=text" "-DCOMMANDS=run;info"
#         [-DFOOTER=file] -DOUTPUT=brisca-cli.1 -P HelpToMan.cmake
function(help_of out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status
                  ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help exited with ${status}")
  endif()
  # Qt's parser names the program by the path it was started from.
  string(REPLACE "${PROGRAM}" "${NAME}" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Roff escapes: a backslash, and a line that would start with a dot or quote.
function(as_roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(verbatim out text)
  as_roff(text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version ERROR_QUIET)
string(STRIP "${version}" version)
string(TOUPPER "${NAME}" title)
help_of(help)
verbatim(help "${help}")
set(page ".TH ${title} 1 \"\" \"${version}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${NAME} \\- ${SUMMARY}\n")
if(COMMANDS)
  string(APPEND page ".SH SYNOPSIS\n.B ${NAME}\n.I command\n[\\fIoptions\\fR] [\\fIfiles\\fR]\n")
else()
  string(APPEND page ".SH SYNOPSIS\n.B ${NAME}\n[\\fIoptions\\fR] [\\fIfiles\\fR]\n")
endif()
string(APPEND page ".SH DESCRIPTION\n${help}")
foreach(command IN LISTS COMMANDS)
  help_of(text ${command})
  verbatim(text "${text}")
  string(TOUPPER "${command}" heading)
  string(APPEND page ".SH COMMAND ${heading}\n${text}")
endforeach()
if(FOOTER)
  file(READ ${FOOTER} footer)
  string(APPEND page "${footer}")
endif()
string(APPEND page ".SH VERSION\n${version}\n")
file(WRITE ${OUTPUT} "${page}")
