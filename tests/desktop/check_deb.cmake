# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Reads the .deb and its -dbgsym package made by scripts/package: the control fields a packager
# sets by hand, the dependencies, the files, and that the debug symbols belong to the program.
# Run by `scripts/package --check` as
#   cmake -DDEB=... -DDBGSYM=... -DAPP_ID=... -DICON_SIZES=16,24,... -DVERSION=1.0.3 -P check_deb.cmake
cmake_minimum_required(VERSION 3.25)
set(BIN_DIR games)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
list(APPEND EXPECTED_FILES
  share/doc/miravel-vozoda/copyright
  share/doc/miravel-vozoda/changelog.gz
  share/doc/miravel-vozoda/changelog.Debian.gz
  share/lintian/overrides/miravel-vozoda)

function(field deb name)
  run_or_fail(dpkg-deb --field ${deb} ${name})
  string(STRIP "${RUN_OUTPUT}" got)
  set(FIELD "${got}" PARENT_SCOPE)
endfunction()
function(expect_field deb name pattern)
  field(${deb} ${name})
  if(NOT FIELD MATCHES "${pattern}")
    message(FATAL_ERROR "${deb}: ${name} is '${FIELD}', which does not match '${pattern}'")
  endif()
endfunction()
# The package names of a relationship field, without versions or alternatives.
function(relation_names deb name)
  field(${deb} ${name})
  string(REGEX REPLACE " *[,|][ \n]*" ";" parts "${FIELD}")
  set(names)
  foreach(part IN LISTS parts)
    string(REGEX REPLACE "[ (:].*" "" part "${part}")
    list(APPEND names ${part})
  endforeach()
  set(NAMES "${names}" PARENT_SCOPE)
endfunction()

run_or_fail(dpkg --print-architecture)
string(STRIP "${RUN_OUTPUT}" arch)
string(REPLACE "." "\\." versionRe "${VERSION}")

expect_field(${DEB} Package "^miravel-vozoda$")
expect_field(${DEB} Version "^${versionRe}-[0-9]+$")
field(${DEB} Version)
set(debVersion "${FIELD}")
expect_field(${DEB} Section "^games$")
expect_field(${DEB} Architecture "^${arch}$")
expect_field(${DEB} Maintainer "^[^<>]+ <[^ <>@]+@[^ <>@]+>$")
expect_field(${DEB} Description "youma.*\n \\.\n")

# The libraries come from dpkg-shlibdeps; the fonts are looked up by name at run time, where no
# tool can see them.
relation_names(${DEB} Depends)
foreach(want libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 fonts-urw-base35)
  if(NOT want IN_LIST NAMES)
    message(FATAL_ERROR "Depends lacks ${want}: ${FIELD}")
  endif()
endforeach()
# Qt reaches a Wayland session natively only with its Wayland platform plugin.
relation_names(${DEB} Recommends)
if(NOT "qt6-wayland" IN_LIST NAMES)
  message(FATAL_ERROR "Recommends lacks qt6-wayland: ${FIELD}")
endif()

run_or_fail(dpkg-deb --contents ${DEB})
string(REPLACE "\n" ";" lines "${RUN_OUTPUT}")
set(files)
foreach(line IN LISTS lines)
  if(line MATCHES "^-.* \\./usr/(.*)$")
    list(APPEND files "${CMAKE_MATCH_1}")
  endif()
endforeach()
expect_same_files("${files}" "The package ${DEB}")

# The debug symbols: one file, named by the program's build id, for exactly this version.
expect_field(${DBGSYM} Package "^miravel-vozoda-dbgsym$")
expect_field(${DBGSYM} Depends "^miravel-vozoda \\(= ${debVersion}\\)$")
field(${DBGSYM} Build-Ids)
set(buildIds "${FIELD}")
set(unpacked ${WORK}/deb)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
run_or_fail(dpkg-deb --extract ${DEB} ${unpacked})
run_or_fail(readelf --notes ${unpacked}/usr/${BIN_DIR}/miravel-vozoda)
if(NOT RUN_OUTPUT MATCHES "Build ID: ([0-9a-f]+)")
  message(FATAL_ERROR "usr/${BIN_DIR}/miravel-vozoda has no build id")
endif()
set(buildId ${CMAKE_MATCH_1})
if(NOT buildIds STREQUAL buildId)
  message(FATAL_ERROR "The -dbgsym package is for build ids '${buildIds}', the program has ${buildId}")
endif()
string(SUBSTRING ${buildId} 0 2 idHead)
string(SUBSTRING ${buildId} 2 -1 idTail)
run_or_fail(dpkg-deb --contents ${DBGSYM})
if(NOT RUN_OUTPUT MATCHES "\\./usr/lib/debug/\\.build-id/${idHead}/${idTail}\\.debug\n")
  message(FATAL_ERROR "The -dbgsym package lacks the program's debug file:\n${RUN_OUTPUT}")
endif()
