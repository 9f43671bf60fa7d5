# Runs one libFuzzer target for RUNS inputs from a fixed seed (at most
# SECONDS seconds) on a corpus kept in the build tree; fails on a crash, a
# sanitizer report or a broken promise. The fixed seed makes a clean build's
# run the same every time; fuzz longer by hand with another -seed.
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)
execute_process(
    COMMAND ${FUZZER} ${WORK_DIR}/corpus
        -seed=1 -runs=${RUNS} -max_total_time=${SECONDS} -max_len=512 -timeout=5 -rss_limit_mb=1024
        -dict=${DICT} -artifact_prefix=${WORK_DIR}/ -print_final_stats=1
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
string(REGEX MATCH "stat::number_of_executed_units: *[0-9]+" runs "${output}")
message("${FUZZER}: ${runs}")
if(NOT result EQUAL 0)
    message("${output}")
    message(FATAL_ERROR "fuzzer failed (exit ${result}); the input is in ${WORK_DIR}")
endif()
