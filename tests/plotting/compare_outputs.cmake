# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Runs FIRST and SECOND and fails unless both print the same.
execute_process(COMMAND ${FIRST} OUTPUT_VARIABLE first RESULT_VARIABLE first_status)
execute_process(COMMAND ${SECOND} OUTPUT_VARIABLE second RESULT_VARIABLE second_status)
if(NOT first_status EQUAL 0 OR NOT second_status EQUAL 0)
  message(FATAL_ERROR "a digest run failed: ${first_status} ${second_status}")
endif()
message("${first}")
if(NOT first STREQUAL second)
  message(FATAL_ERROR "outputs differ:\n${first}\n---\n${second}")
endif()
