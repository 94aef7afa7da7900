# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The scripted driver must print byte-identical output for the same script on every run. Runs each
# scenario twice in processes of their own (the second with a different working directory and
# with freed memory scribbled over), then all of them in one process, and compares every byte of
# standard output, standard error and the exit status.
#   cmake -DSCRIPT=<miravel-script> -DSCENARIO_DIR=<dir> -DWORK_DIR=<dir> -P determinism.cmake
file(GLOB scenarios "${SCENARIO_DIR}/*.scn")
list(SORT scenarios)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/first" "${WORK_DIR}/second")

set(differ "")
set(batch "")
set(joined "")
foreach(scenario IN LISTS scenarios)
  get_filename_component(name "${scenario}" NAME_WE)
  execute_process(COMMAND "${SCRIPT}" "${scenario}" WORKING_DIRECTORY "${WORK_DIR}/first"
                  OUTPUT_VARIABLE out1 ERROR_VARIABLE err1 RESULT_VARIABLE rc1)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env MALLOC_PERTURB_=165 "${SCRIPT}" "${scenario}"
                  WORKING_DIRECTORY "${WORK_DIR}/second"
                  OUTPUT_VARIABLE out2 ERROR_VARIABLE err2 RESULT_VARIABLE rc2)
  if(NOT out1 STREQUAL out2 OR NOT err1 STREQUAL err2 OR NOT rc1 STREQUAL rc2)
    file(WRITE "${WORK_DIR}/first/${name}.out" "${out1}${err1}exit ${rc1}\n")
    file(WRITE "${WORK_DIR}/second/${name}.out" "${out2}${err2}exit ${rc2}\n")
    list(APPEND differ "${name}")
  elseif(rc1 STREQUAL "0" OR rc1 STREQUAL "1")
    # Scripts that run to their end also go into the one-process run below.
    list(APPEND batch "${scenario}")
    string(APPEND joined "${out1}")
  endif()
endforeach()

if(differ)
  message(FATAL_ERROR "output differs between two runs of: ${differ}\n"
                      "both outputs are in ${WORK_DIR}/first and ${WORK_DIR}/second")
endif()

# One process running every script in turn prints what the separate processes printed: nothing
# carries over from one script to the next.
if(batch)
  execute_process(COMMAND "${SCRIPT}" ${batch} OUTPUT_VARIABLE all ERROR_VARIABLE allErr)
  if(NOT all STREQUAL joined)
    file(WRITE "${WORK_DIR}/one-process.out" "${all}")
    file(WRITE "${WORK_DIR}/separate-processes.out" "${joined}")
    message(FATAL_ERROR "running the scenarios in one process prints other output than running "
                        "them one by one; compare ${WORK_DIR}/one-process.out with "
                        "${WORK_DIR}/separate-processes.out")
  endif()
endif()
list(LENGTH scenarios count)
message(STATUS "${count} scenarios gave the same output on every run")
