# Runs TOOL with ARGUMENTS (through EMULATOR when it is a cross-built program); checks its exit
# status against STATUS and its output (standard output and standard error together) against
# the regular expression PATTERN.
execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGUMENTS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
set(output "${out}${err}")
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; output:\n${output}")
endif()
string(REPLACE "\n" " " flat "${output}")
if(NOT flat MATCHES "${PATTERN}")
  message(FATAL_ERROR "output does not match '${PATTERN}':\n${output}")
endif()
