# Runs TOOL with ARGUMENTS (an acquire into DIRECTORY, which is emptied first; through
# EMULATOR when it is a cross-built program), expects exit
# status 0, and compares the bytes of DIRECTORY/frame-0000.pgm with the hexadecimal EXPECTED.
file(REMOVE_RECURSE ${DIRECTORY})
execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGUMENTS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status STREQUAL 0)
  message(FATAL_ERROR "exit status ${status}; output:\n${out}${err}")
endif()
file(READ ${DIRECTORY}/frame-0000.pgm content HEX)
if(NOT content STREQUAL EXPECTED)
  message(FATAL_ERROR "frame-0000.pgm holds\n${content}\nexpected\n${EXPECTED}")
endif()
