# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs the scenarios with miravel-script under valgrind memcheck, all in one process (valgrind's
# start-up costs more than the scenarios themselves), and fails on any memory error or definite
# leak. Whether a scenario's expectations hold is the scenario tests' business; a scenario that
# stops on a script error is left out and named. When memcheck finds something, each scenario is
# run on its own to name the one that shows it.
#   cmake -DVALGRIND=<valgrind> -DSCRIPT=<miravel-script> -DSCENARIO_DIR=<dir> -DLOG_DIR=<dir>
#         -P memcheck_scenarios.cmake
file(GLOB scenarios "${SCENARIO_DIR}/*.scn")
list(SORT scenarios)
file(REMOVE_RECURSE "${LOG_DIR}")
file(MAKE_DIRECTORY "${LOG_DIR}")

set(runnable "")
foreach(scenario IN LISTS scenarios)
  execute_process(COMMAND "${SCRIPT}" "${scenario}" OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
  if(rc STREQUAL "0" OR rc STREQUAL "1")
    list(APPEND runnable "${scenario}")
  else()
    message(WARNING "not checked under memcheck, it stops with exit status ${rc}: ${scenario}")
  endif()
endforeach()

set(memcheck "${VALGRIND}" --tool=memcheck --error-exitcode=1 --leak-check=full
             --errors-for-leak-kinds=definite --show-leak-kinds=definite --num-callers=40)

# The script's own exit status 1 (an expectation failed) looks like valgrind's: the summary tells.
function(clean log status result)
  file(READ "${log}" text)
  if(text MATCHES "ERROR SUMMARY: 0 errors" AND status MATCHES "^[01]$")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

execute_process(COMMAND ${memcheck} --log-file=${LOG_DIR}/all.log "${SCRIPT}" ${runnable}
                OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE status)
clean("${LOG_DIR}/all.log" "${status}" ok)
list(LENGTH runnable count)
if(ok)
  message(STATUS "memcheck: ${count} scenarios, no memory error, no definite leak")
  return()
endif()

set(report "")
foreach(scenario IN LISTS runnable)
  get_filename_component(name "${scenario}" NAME_WE)
  execute_process(COMMAND ${memcheck} --log-file=${LOG_DIR}/${name}.log "${SCRIPT}" "${scenario}"
                  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE status)
  clean("${LOG_DIR}/${name}.log" "${status}" ok)
  if(NOT ok)
    file(READ "${LOG_DIR}/${name}.log" text)
    string(APPEND report "---- ${scenario} (exit ${status})\n${text}")
  endif()
endforeach()
if(report STREQUAL "")
  file(READ "${LOG_DIR}/all.log" report)
  set(report "only the run of all scenarios together shows it:\n${report}")
endif()
message(FATAL_ERROR "memcheck found errors; logs in ${LOG_DIR}\n${report}")
