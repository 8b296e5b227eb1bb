# Runs a benchmark program asking for a JSON report on standard output and in a file, and
# checks that both parse as JSON with the benchmarks in them and that the summary went to
# standard error. -DPROGRAM=... -DOUT=... -DFILTER=...
execute_process(
  COMMAND ${PROGRAM} --benchmark_format=json --benchmark_out=${OUT} --benchmark_out_format=json
          --benchmark_min_time=0.001 --benchmark_filter=${FILTER}
  OUTPUT_VARIABLE report ERROR_VARIABLE summary RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed (${status}): ${summary}")
endif()
file(READ ${OUT} written)
foreach(text IN ITEMS report written)
  string(JSON first ERROR_VARIABLE problem GET "${${text}}" benchmarks 0 name)
  if(problem)
    message(FATAL_ERROR "the ${text} is no JSON report: ${problem}\n${${text}}")
  endif()
endforeach()
if(NOT summary MATCHES "Path +time")
  message(FATAL_ERROR "no summary on standard error:\n${summary}")
endif()
