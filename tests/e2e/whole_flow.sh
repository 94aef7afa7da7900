#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The whole game as a player goes through it, on one kind of desktop: the title slides in, Begin
# minimises it and opens the selection, the selection's frame close brings the title back, a
# level, a defeat and its box, the title back with the score board, Quit.
# Usage: whole_flow.sh GAME PICTURES OUT DESKTOP [SCALE]   (PICTURES: e2e-probe)
#   DESKTOP  bare     Xvfb with only a stand-in window manager that minimises (tests/e2e/e2e_probe.cpp)
#            openbox  Xvfb with openbox: frames, a title bar, minimising as a desktop does it
#            weston   weston's headless backend, the game on Qt's native Wayland platform
#                     (WL_PROBE_MODULE names the test seat module, WL_PROBE its command)
GAME=$(realpath "$1") PICTURES=$2 OUT=$3 DESKTOP=$4
SCALE=${5:-1}
source "$(dirname "$0")/lib.sh"
# A screen where the game's own zoom is 1, so SCALE alone sizes its windows: 1280x900 (too low
# for the title at zoom 2), or 1280x1024 at twice the scale.
SCREEN=1280x900
[ "$SCALE" = 1 ] || SCREEN=1280x1024
case $DESKTOP in
bare | openbox)
    source "$(dirname "$0")/x11.sh"
    start_x "${SCREEN}x24" "$([ "$DESKTOP" = bare ] && echo standin || echo openbox)"
    ;;
weston)
    source "$(dirname "$0")/wayland/desktop.sh"
    start_weston "$SCREEN"
    ;;
*) fail "unknown desktop '$DESKTOP'" ;;
esac
# From the start of a game to the heroine one step left on the Moderate level; returns 1 when a
# youma came near her first. The level runs in real time and its youma reach her a few seconds
# in; the balls cannot touch her at her start or a step left of it (none falls in those columns),
# so only the youma are watched (see lib.sh, "a level while it runs"), and the whole way is
# played again in a fresh game when one comes near.
to_moderate() {
    if [ "$SCALE" = 1 ]; then start_game; else start_game QT_SCALE_FACTOR="$SCALE"; fi

    step "the title window opens wholly on the screen, slides its title in and offers Begin"
    await_window title "${TITLE_SIZE[@]}"
    TITLE_WIN=$WIN
    on_screen "$GEOM" "$TITLE_WIN" || fail "the title window $GEOM (frame $(frame_of "$TITLE_WIN")) does not lie wholly on the $(screen_size) screen"
    # The window's place is read afresh each time: a window manager may still move a restored window.
    title_ready() {
        local found
        found=$(window_of "${TITLE_SIZE[@]}" normal)
        [ -n "$found" ] && read -r TITLE_WIN GEOM <<<"$found"
        shot title
        title_slid_in && begin_shown
    }
    poll "$WAIT" title_ready || fail "the title did not slide in, or Begin did not appear"
    title_lettered || problem "the title's letters are not drawn ($(title_letter_pixels) magenta pixels)"

    step "Begin opens the level selection and minimises the title window"
    click_at "$TITLE_WIN" "$GEOM" 232 404
    await_window selection "${SELEC_SIZE[@]}"
    SELEC_WIN=$WIN
    await_window title "${TITLE_SIZE[@]}" "$MINIMISED"

    step "closing the selection by its frame brings the title window back, Begin still offered"
    close_window "$SELEC_WIN"
    poll "$WAIT" window_gone "${SELEC_SIZE[@]}" || fail "the selection window is still there after its close"
    await_window title "${TITLE_SIZE[@]}" normal
    TITLE_WIN=$WIN
    poll "$WAIT" title_ready || fail "the restored title window does not show the slid-in title and Begin"

    step "Alt+B opens the selection again; the Moderate level by a click"
    point_at "$TITLE_WIN" "$GEOM" 203 200
    send_key alt+b
    await_window selection "${SELEC_SIZE[@]}"
    click_at "$WIN" "$GEOM" "${MODERATE_BUTTON[@]}"
    await_window title "${TITLE_SIZE[@]}" "$MINIMISED"
    await_window "Moderate level" "${MODERATE_SIZE[@]}"
    LEVEL_WIN=$WIN
    YOUMA_ROWS=(104)
    await_level_row "Moderate" "vessa_stand_r:$HEROINE_START" $HEROINE_START || return 1
    point_at "$LEVEL_WIN" "$GEOM" 248 60
    send_key Left
    await_level_row "one step" "vessa_stand_l:$((HEROINE_START - STEP))" $((HEROINE_START - STEP))
}
play_level "a game to the Moderate level, the heroine a step left" to_moderate

step "two steps left a ball hits her: the defeat box over the title window, which is back"
# There she stands in a ball's column, and the next ball to pass her row hits her. Had a youma
# caught her first, the defeat would be the same one: what follows checks that defeat alone.
send_key Left
box_up() { [ "$(boxes | wc -l)" -ge 1 ]; }
poll "$WAIT" box_up || fail "no message box after the heroine stood in a ball's column; windows:
$(game_windows)"
box_opened=$(now_ms)
read -r BOX_WIN BOX_GEOM <<<"$(boxes | head -n 1)"
await_window title "${TITLE_SIZE[@]}" normal
TITLE_WIN=$WIN TITLE_GEOM=$GEOM
[ -n "$(window_of "${MODERATE_SIZE[@]}" normal)" ] || fail "the level closed before its box was answered"
on_screen "$BOX_GEOM" "$BOX_WIN" || fail "the box $BOX_GEOM does not lie wholly on the screen"
# A Wayland client cannot place its windows: there the compositor puts the box where it likes.
# On X it lies over the title window, clear of the score board just put up (Shp and its labels).
if [ "$DESKTOP" != weston ]; then
    ! "$PICTURES" overlaps "$BOX_GEOM" "$TITLE_GEOM" "$SCALE" 160 232 121 97 ||
        problem "the box $BOX_GEOM hides the score board of the title window $TITLE_GEOM"
fi

step "while the box is open nothing ticks: one box, the level still there, nothing moves"
shot "box open"
frozen=$last_shot
sleep "$(awk -v t=$(( 3000 - ($(now_ms) - box_opened) )) 'BEGIN { print (t > 0 ? t : 0) / 1000 }')"
shot "box after 3 s"
[ "$(boxes | wc -l)" -eq 1 ] || fail "a box open for 3 s has company:
$(game_windows)"
[ -n "$(window_of "${MODERATE_SIZE[@]}" normal)" ] || fail "the level closed while its box was open"
moved=$("$PICTURES" differ "$frozen" "$last_shot")
[ "$moved" -eq 0 ] || problem "$moved screen pixels changed in 3 s with the box open (compare with $frozen)"

if [ "$DESKTOP" = openbox ]; then
    step "the window manager offers no maximise for the box"
    actions=$(allowed_actions "$BOX_WIN" | paste -sd' ')
    note "the box's allowed actions: $actions"
    [[ " $actions " != *" MAXIMIZE_"* ]] || fail "the window manager offers to maximise the message box: $actions"
    [[ " $actions " == *" CLOSE "* ]] || fail "the window manager offers no close for the message box: $actions"
fi
if [ "$DESKTOP" != bare ]; then
    # openbox offers to minimise every dialog, whatever it asks, and takes the dialog's owner with
    # it; Qt's own frame on Wayland has a minimise button on every window. The box must come
    # straight back, with the title window, so the game is never frozen with nothing to answer.
    step "the player minimises the box: it comes straight back, the title window with it"
    minimise_window "$BOX_WIN"
    box_back() { [ "$(boxes | wc -l)" -eq 1 ] && [ -n "$(window_of "${TITLE_SIZE[@]}" normal)" ]; }
    poll "$WAIT" box_back || fail "after the player minimised the box, it did not come back with the title window:
$(game_windows)"
    read -r BOX_WIN BOX_GEOM <<<"$(boxes | head -n 1)"
fi
shot "box"
GEOM=$TITLE_GEOM
if ! "$PICTURES" overlaps "$BOX_GEOM" "$GEOM" "$SCALE" 158 272 115 49; then
    [ "$(color_at 170 300)" = 0000ff ] && [ "$(color_at 160 300)" = 800000 ] ||
        fail "the score board is not up on the title window while the box is open"
fi

step "Enter answers the box; the level closes, the title shows the score board and no Begin"
point_at "$BOX_WIN" "$BOX_GEOM" 10 10
send_key Return
box_closed() { [ -z "$(boxes)" ]; }
poll "$WAIT" box_closed || fail "the box is still open after Enter"
poll "$WAIT" window_gone "${MODERATE_SIZE[@]}" || fail "the level window stayed after its defeat box"
await_window title "${TITLE_SIZE[@]}" normal
board() { shot "score board"; score_board_shown && ! begin_shown && title_slid_in; }
poll "$WAIT" board || fail "the title window should show the score board and no Begin after a defeat"

step "Quit ends the program with status 0, leaving nothing behind"
click_at "$WIN" "$GEOM" 372 442
wait_game_end "$WAIT"
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
no_game_process_left
[ -z "$(game_windows)" ] || fail "windows left behind: $(game_windows)"
finish
