# cmake -DCOMMAND="prog;args" -DEXPECT_EXIT=zero|nonzero -DEXPECT_OUTPUT=<regex> -P RunAndExpect.cmake
# Runs a program and checks both its exit status and its output (stdout and stderr together),
# which a plain PASS_REGULAR_EXPRESSION test cannot do: it ignores the exit status.
# A crash reports a text such as "Segmentation fault" instead of a number, a hang runs into
# the timeout and a sanitizer report exits with an ordinary status: all fail whatever exit
# status was expected.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
set(all "${out}${err}")
if(NOT status MATCHES "^[0-9]+$" OR status GREATER 125 OR all MATCHES "(Address|UndefinedBehavior|Thread)Sanitizer")
  message(FATAL_ERROR "the program did not exit normally: ${status}\n${all}")
endif()
if(EXPECT_EXIT STREQUAL "zero" AND NOT status EQUAL 0)
  message(FATAL_ERROR "expected exit status 0, got ${status}\n${all}")
endif()
if(EXPECT_EXIT STREQUAL "nonzero" AND status EQUAL 0)
  message(FATAL_ERROR "expected a non-zero exit status\n${all}")
endif()
if(DEFINED EXPECT_OUTPUT AND NOT all MATCHES "${EXPECT_OUTPUT}")
  message(FATAL_ERROR "output does not match '${EXPECT_OUTPUT}'\n${all}")
endif()
message(STATUS "${all}")
