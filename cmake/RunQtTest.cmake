# Runs one Qt test (-DTEST=<program>) and fails it on any Qt warning that is
# not known noise of the headless platform: a warning is a fault the test
# did not ask for (an unknown catalogue key, a failed connect, a leaked
# database connection), even when every check passed.
execute_process(COMMAND ${TEST} RESULT_VARIABLE result
    OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TEST} failed (${result})")
endif()
# The offscreen platform cannot raise or size windows and says so.
set(noise "This plugin does not support")
string(REGEX MATCHALL "QWARN  :[^\n]*" warnings "${output}")
foreach(warning IN LISTS warnings)
    string(FIND "${warning}" "${noise}" known)
    if(known EQUAL -1)
        message(FATAL_ERROR "Unexpected warning: ${warning}")
    endif()
endforeach()
