# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs the build into a scratch DESTDIR with prefix /usr (the program in BIN_DIR, as configured), then checks the files, their modes,
# the icon sizes, and that the entry, the icons, the binary and the metainfo name each other.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

file(REMOVE_RECURSE ${STAGE})
run_or_fail(${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)
set(root ${STAGE}/usr)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${STAGE}/*)
list(SORT installed)
expect_same_files("${installed}" "The install under ${root}")

run_or_fail(stat -c %a ${root}/${BIN_DIR}/miravel-vozoda)
if(NOT RUN_OUTPUT MATCHES "^755")
  message(FATAL_ERROR "${BIN_DIR}/miravel-vozoda has mode ${RUN_OUTPUT}, not 755")
endif()
file(READ ${root}/${BIN_DIR}/miravel-vozoda elf HEX LIMIT 4)
if(NOT elf STREQUAL "7f454c46")
  message(FATAL_ERROR "${BIN_DIR}/miravel-vozoda is not an ELF program")
endif()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size IN LISTS ICON_SIZES)
  set(png ${root}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  file(READ ${png} header HEX LIMIT 24)
  string(SUBSTRING "${header}" 0 16 magic)
  string(SUBSTRING "${header}" 32 8 w)
  string(SUBSTRING "${header}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  if(NOT magic STREQUAL "89504e470d0a1a0a" OR NOT w EQUAL size OR NOT h EQUAL size)
    message(FATAL_ERROR "${png} is not a ${size}x${size} PNG (${w}x${h}, magic ${magic})")
  endif()
endforeach()

file(STRINGS ${root}/share/applications/${APP_ID}.desktop entry)
foreach(line "Exec=miravel-vozoda" "TryExec=miravel-vozoda" "Icon=${APP_ID}" "Type=Application"
             "Categories=Game;ArcadeGame;")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "The desktop entry lacks the line '${line}'")
  endif()
endforeach()

file(READ ${root}/share/metainfo/${APP_ID}.metainfo.xml meta)
foreach(needle
        "<id>${APP_ID}</id>"
        "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
        "<binary>miravel-vozoda</binary>"
        "<release version=\"${VERSION}\"")
  string(FIND "${meta}" "${needle}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The metainfo lacks ${needle}")
  endif()
endforeach()

# The tree as a software centre sees it: the metainfo finds its desktop entry and icon.
run_or_fail(${APPSTREAMCLI} validate-tree --no-net --strict --explain ${STAGE})
