#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The game on a high-DPI screen (QT_SCALE_FACTOR=2): every window twice its size, pixel art in
# crisp 2x2 squares, text drawn at the screen's resolution, positions and rules as at scale 1.
# Also: an idle title screen uses no CPU, and the frame's close button on the title window ends
# the program as Quit does.
# Usage: high_dpi.sh GAME PICTURES OUT   (PICTURES: e2e-probe)
GAME=$(realpath "$1") PICTURES=$2 OUT=$3
SCALE=2
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/x11.sh"

# A common screen too small for the title window, 814x906, at its design place (342, 216).
start_x 1280x1024x24
start_game QT_SCALE_FACTOR=2

step "the title window is twice its size, wholly on the screen, its picture in crisp squares"
await_window title "${TITLE_SIZE[@]}"
TITLE_WIN=$WIN
on_screen "$GEOM" "$TITLE_WIN" || fail "the title window $GEOM does not lie wholly on the $(screen_size) screen"
title_painted() { shot title; shows_picture title 0 42 407 190 0 42 && shows_picture title 0 330 407 54 0 330; }
poll "$WAIT" title_painted || fail "the title picture is not shown in crisp 2x2 squares: $(picture_report title 0 42 407 190 0 42)"
slide_done() { shot slide; title_slid_in && begin_shown; }
poll "$WAIT" slide_done || fail "the title did not slide in to its place, or Begin did not appear"

step "text is drawn at the screen's resolution, not as enlarged pixels"
if title_lettered; then
    # At scale 1 and enlarged, every game pixel of the title's letters would be one crisp square.
    soft=$("$PICTURES" blocks "$last_shot" "$GEOM" "$SCALE" 6 0 393 41)
    note "title letters: $soft game pixels finer than a square"
    (( soft >= 200 )) || problem "the title's letters have $soft game pixels finer than a 2x2 square: drawn enlarged, not sharp"
else
    problem "the title's letters are not drawn ($(title_letter_pixels) magenta pixels)"
fi
soft=$("$PICTURES" blocks "$last_shot" "$GEOM" "$SCALE" "${BEGIN_RECT[@]}")
note "Begin button: $soft game pixels finer than a square"
(( soft >= 50 )) || problem "the Begin button has $soft game pixels finer than a 2x2 square: drawn enlarged, not sharp"

step "idle on the title screen, the game uses no CPU"
read -r -a stat </proc/"$game_pid"/stat
# Fields 14 and 15 (utime, stime) in clock ticks; the name in field 2 has no blanks here.
before=$(( stat[13] + stat[14] ))
sleep 5
read -r -a stat </proc/"$game_pid"/stat
used=$(( stat[13] + stat[14] - before ))
hz=$(getconf CLK_TCK)
# Under 1% of a core over 5 s.
(( used * 100 < 5 * hz )) || problem "idle for 5 s on the title screen the game used $used/$hz s of CPU"
note "CPU used in 5 s idle: $used/$hz s"

# Begin and Easy by clicks, from the title window that is up; a fresh game first when the level is
# played again.
open_easy_level() {
    if [ -z "$game_pid" ]; then
        start_game QT_SCALE_FACTOR=2
        await_window title "${TITLE_SIZE[@]}"
        TITLE_WIN=$WIN
        poll "$WAIT" slide_done || fail "the title did not slide in to its place, or Begin did not appear"
    fi
    click_at "$TITLE_WIN" "$GEOM" 232 404
    await_window title "${TITLE_SIZE[@]}" "$MINIMISED"
    await_window selection "${SELEC_SIZE[@]}"
    click_at "$WIN" "$GEOM" "${EASY_BUTTON[@]}"
    await_window "Easy level" "${EASY_SIZE[@]}"
    LEVEL_WIN=$WIN LEVEL_GEOM=$GEOM
    # The youma from the left walks higher than the one from the right.
    YOUMA_ROWS=(96 104)
}

# The level runs in real time and its youma catch her a few seconds in: the part is played again
# when one comes near her first (see lib.sh, "a level while it runs").
step_right() {
    open_easy_level
    step "the street and the heroine in crisp squares, at the same game pixels"
    await_level_row "level" "vessa_stand_r:$HEROINE_START" $HEROINE_START || return 1
    START_SHOT=$last_shot
    point_at "$LEVEL_WIN" "$GEOM" 248 60
    send_key Right
    await_level_row "right" "vessa_stand_r:$((HEROINE_START + STEP))" $((HEROINE_START + STEP)) || return 1

    step "closing the level by its frame restores the title window with Begin"
    close_window "$LEVEL_WIN"
    # A youma may catch her before the close arrives; then its box holds the level.
    closed() { window_gone "${EASY_SIZE[@]}" || [ -n "$(boxes)" ]; }
    poll "$WAIT" closed || fail "the level window is still there after its close"
    [ -z "$(boxes)" ] || { danger="a youma caught her before the level closed"; return 1; }
    await_window title "${TITLE_SIZE[@]}" normal
    restored() { shot restored; title_slid_in && begin_shown; }
    poll "$WAIT" restored || fail "the restored title window does not show the title and Begin"
}
play_level "Begin and Easy, clicked where they show: the windows twice their size" step_right
# The level's first reading had no youma near her: the street and she show there as drawn.
saved_shot=$last_shot saved_geom=$GEOM
last_shot=$START_SHOT GEOM=$LEVEL_GEOM
shows_picture street 0 10 497 84 0 10 && shows_picture street 0 170 497 27 0 170 ||
    fail "the street is not shown in crisp 2x2 squares: $(picture_report street 0 170 497 27 0 170)"
shows_picture vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street ||
    fail "the heroine is not shown in crisp 2x2 squares: $(picture_report vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street)"
last_shot=$saved_shot GEOM=$saved_geom

step "closing the title window by its frame ends the program with status 0"
close_window "$TITLE_WIN"
wait_game_end "$WAIT"
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
no_game_process_left
[ -z "$(game_windows)" ] || fail "windows left behind: $(game_windows)"
finish
