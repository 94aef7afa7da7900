# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The newest entry of debian/changelog packages the program's own version (NEWS.md's newest
# release, which the configure step already holds to it), so a version bump cannot ship under the
# old package version.
cmake_minimum_required(VERSION 3.25)
file(READ ${CHANGELOG} text)
string(REGEX MATCH "^[^\n]*" first "${text}")
if(NOT first MATCHES "^miravel-vozoda \\(([^)]+)\\) [a-z-]+; urgency=[a-z]+$")
  message(FATAL_ERROR "${CHANGELOG} does not start with a changelog entry: '${first}'")
endif()
set(packageVersion ${CMAKE_MATCH_1})
string(REGEX REPLACE "-[^-]+$" "" upstream "${packageVersion}")
if(NOT upstream STREQUAL VERSION OR upstream STREQUAL packageVersion)
  message(FATAL_ERROR "debian/changelog's newest entry is ${packageVersion}; the program is "
                      "${VERSION}, so it must be ${VERSION}-N")
endif()
