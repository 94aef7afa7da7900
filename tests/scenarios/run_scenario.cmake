# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs one scenario with miravel-script. It passes when the script exits 0 (every expect held)
# and, where a NAME.out file stands beside it, the whole output equals that file.
#   cmake -DSCRIPT=<miravel-script> -DSCENARIO=<file.scn> -P run_scenario.cmake
execute_process(COMMAND "${SCRIPT}" "${SCENARIO}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "miravel-script exited ${status}\n${out}${err}")
endif()
string(REGEX REPLACE "\\.scn$" ".out" golden "${SCENARIO}")
if(EXISTS "${golden}")
  file(READ "${golden}" want)
  if(NOT out STREQUAL want)
    get_filename_component(name "${SCENARIO}" NAME_WE)
    set(actual "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual.out")
    file(WRITE "${actual}" "${out}")
    message(FATAL_ERROR "output differs from ${golden}; the actual output is in ${actual}\n"
                        "--- actual ---\n${out}")
  endif()
endif()
