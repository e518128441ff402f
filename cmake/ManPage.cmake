# cmake -DPROGRAM=orvdcm -DOUTPUT=orvdcm.1 -P ManPage.cmake: the manual page of the command
# line, made from the text of "orvdcm help" and "orvdcm --version", so the two never differ.
execute_process(COMMAND ${PROGRAM} help OUTPUT_VARIABLE help RESULT_VARIABLE help_rc)
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version RESULT_VARIABLE version_rc
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT help_rc EQUAL 0 OR NOT version_rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} did not answer help and --version")
endif()
# roff: a backslash is written \e, and a line may not begin with a control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
file(WRITE ${OUTPUT} ".TH ORVDCM 1 \"\" \"${version}\" \"User Commands\"
.SH NAME
orvdcm \\- the command line of the orvdcm library: colour catalogue, registry, colours and fonts, INI and settings files, images
.SH SYNOPSIS
.nf
${help}.fi
.SH EXIT STATUS
0 on success, 1 when a command fails, 2 for a wrong invocation (unknown command or option,
missing or extra operands, a value out of range).
")
