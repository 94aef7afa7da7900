# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The newest entry of debian/changelog packages the program's own version (NEWS.md's newest
# release, which the configure step already holds to it), so a version bump cannot ship under the
# old package version. It carries that release's date too: Debian's tools take the package's one
# date (SOURCE_DATE_EPOCH, every file time and the pictures' stamps) from this entry, so the
# package of a release is dated as the release, wherever and whenever it is built.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../desktop/news_releases.cmake)

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

# The entry's trailer: " -- Name <address>  Thu, 10 Dec 2026 12:00:00 +0000".
string(REGEX MATCH "\n -- [^\n]*>  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) [0-9:]+ [-+][0-9]+\n"
       trailer "${text}")
if(NOT trailer)
  message(FATAL_ERROR "${CHANGELOG}'s newest entry has no trailer line with its date")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
foreach(part month day)
  string(LENGTH "${${part}}" length)
  if(length EQUAL 1)
    set(${part} "0${${part}}")
  endif()
endforeach()
set(entryDate "${year}-${month}-${day}")

miravel_news_releases(${NEWS} releases newsVersion releaseDate)
if(NOT entryDate STREQUAL releaseDate)
  message(FATAL_ERROR "debian/changelog's entry for ${packageVersion} is dated ${entryDate}, but "
                      "NEWS.md released ${newsVersion} on ${releaseDate}: date the entry as the release")
endif()
