# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Shared by the install and .deb checks: what a full install holds, relative to the prefix, with
# the program in BIN_DIR (bin unless the caller says otherwise).
string(REPLACE "," ";" ICON_SIZES "${ICON_SIZES}")
if(NOT DEFINED BIN_DIR)
  set(BIN_DIR bin)
endif()

set(EXPECTED_FILES
  ${BIN_DIR}/miravel-vozoda
  share/applications/${APP_ID}.desktop
  share/icons/hicolor/scalable/apps/${APP_ID}.svg
  share/metainfo/${APP_ID}.metainfo.xml
  share/man/man6/miravel-vozoda.6.gz)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND EXPECTED_FILES share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
list(SORT EXPECTED_FILES)

# Fails with what is missing and what is extra, so a new install rule shows up here on purpose.
function(expect_same_files actual what)
  set(missing ${EXPECTED_FILES})
  list(REMOVE_ITEM missing ${actual})
  set(extra ${actual})
  list(REMOVE_ITEM extra ${EXPECTED_FILES})
  if(missing OR extra)
    list(JOIN missing "\n  " missing)
    list(JOIN extra "\n  " extra)
    message(FATAL_ERROR "${what} does not hold the expected files.\n"
                        "missing:\n  ${missing}\nunexpected:\n  ${extra}")
  endif()
endfunction()

function(run_or_fail)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    list(JOIN ARGN " " cmd)
    message(FATAL_ERROR "${cmd} failed (${rc}):\n${out}\n${err}")
  endif()
  set(RUN_OUTPUT "${out}" PARENT_SCOPE)
endfunction()
