# Builds the lookup-table reader's libFuzzer target with clang and runs it for a bounded time.
# The main build uses GCC, which has no libFuzzer, so the target is compiled here, beside it.
# Arguments: CLANG, SOURCE_DIR (the project), LAYERS (the build tree's layer include root),
# WORK_DIR, SECONDS.
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)
file(GLOB seeds ${SOURCE_DIR}/tests/persistence/fuzz/corpus/*)
file(COPY ${seeds} DESTINATION ${WORK_DIR}/corpus)
execute_process(
  COMMAND ${CLANG} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined
          -fno-sanitize-recover=undefined
          -I${LAYERS}/persistence -I${LAYERS}/runtime
          ${SOURCE_DIR}/tests/persistence/fuzz/LutFileFuzzer.cpp
          ${SOURCE_DIR}/persistence/LutFile.cpp ${SOURCE_DIR}/persistence/LutFileReading.cpp
          -o ${WORK_DIR}/lut_file_fuzzer
  RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "the fuzzer did not build")
endif()
# 64 MiB per input at most: the reader's bound is 4 MiB per table.
execute_process(
  COMMAND ${WORK_DIR}/lut_file_fuzzer -max_total_time=${SECONDS} -malloc_limit_mb=64
          -max_len=8192 -print_final_stats=1 ${WORK_DIR}/corpus
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE ran)
if(NOT ran EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a failure (exit ${ran}); see the crash file in ${WORK_DIR}")
endif()
