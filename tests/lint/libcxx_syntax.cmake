# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Compiles the project's sources of a compilation database again with clang
# against libc++ (the standard library of macOS), syntax only:
#   cmake -DDATABASE=build/compile_commands.json -DSOURCE_DIR=$PWD
#         [-DSHARD=0 -DSHARDS=2] -P tests/lint/libcxx_syntax.cmake
# Fails on the first source with an error.
file(READ "${DATABASE}" database)
string(JSON count LENGTH "${database}")
if(NOT DEFINED SHARDS)
  set(SHARDS 1)
  set(SHARD 0)
endif()
math(EXPR last "${count} - 1")
set(checked 0)
foreach(i RANGE ${last})
  math(EXPR mine "${i} % ${SHARDS}")
  string(JSON file GET "${database}" ${i} file)
  if(NOT mine EQUAL SHARD OR NOT file MATCHES "^${SOURCE_DIR}/(src|tests|bench|fuzz)/")
    continue()
  endif()
  string(JSON directory GET "${database}" ${i} directory)
  string(JSON command GET "${database}" ${i} command)
  separate_arguments(arguments UNIX_COMMAND "${command}")
  list(POP_FRONT arguments) # the compiler it was built with
  # No object file: drop -c and -o FILE.
  list(FIND arguments "-o" output)
  if(output GREATER -1)
    list(REMOVE_AT arguments ${output})
    list(REMOVE_AT arguments ${output})
  endif()
  list(REMOVE_ITEM arguments "-c")
  execute_process(COMMAND clang++ -stdlib=libc++ -fsyntax-only -Wno-unused-command-line-argument
                          ${arguments}
                  WORKING_DIRECTORY "${directory}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "libc++: ${file} does not compile")
  endif()
  math(EXPR checked "${checked} + 1")
endforeach()
message(STATUS "libc++: ${checked} sources compile")
