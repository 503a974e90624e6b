# Runs tallyra-cli once and checks its exit status and output.
#   CLI           the program
#   ARGS          its arguments, separated by "|"
#   EXPECT_EXIT   the exit status it must give
#   STDOUT_MATCH  optional regular expression the standard output must match
#   STDERR_MATCH  optional regular expression the error output must match
#   BOOK          a book folder that is emptied first (TALLYRA_HOME points to it)
if(BOOK)
  file(REMOVE_RECURSE "${BOOK}")
  set(ENV{TALLYRA_HOME} "${BOOK}")
endif()
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${CLI}" ${args}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(failures "")
if(NOT status STREQUAL "${EXPECT_EXIT}")
  string(APPEND failures "exit status ${status}, expected ${EXPECT_EXIT}\n")
endif()
if(DEFINED STDOUT_MATCH AND NOT out MATCHES "${STDOUT_MATCH}")
  string(APPEND failures "standard output does not match '${STDOUT_MATCH}'\n")
endif()
if(DEFINED STDERR_MATCH AND NOT err MATCHES "${STDERR_MATCH}")
  string(APPEND failures "error output does not match '${STDERR_MATCH}'\n")
endif()
if(failures)
  list(JOIN args " " shown)
  message(FATAL_ERROR "tallyra-cli ${shown}:\n${failures}--- stdout:\n${out}--- stderr:\n${err}")
endif()
