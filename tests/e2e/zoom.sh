#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The game on a 1920x1080 screen as a player meets it: it starts at zoom 2 (the title's client
# area 814x906), Ctrl+Minus and Ctrl+Plus zoom every window out and back, F11 and the frame's
# maximise fill the screen with the game at the largest whole zoom that fits, centred on black,
# its pictures in equal squares, and the game plays on through all of it, to a defeat whose box
# hides neither the score board nor its own caption, and Quit.
# Usage: zoom.sh GAME PICTURES OUT DESKTOP   (PICTURES: e2e-probe)
#   DESKTOP  openbox  Xvfb with openbox
#            weston   weston's headless backend, the game on Qt's native Wayland platform
GAME=$(realpath "$1") PICTURES=$2 OUT=$3 DESKTOP=$4
source "$(dirname "$0")/lib.sh"
case $DESKTOP in
openbox)
    source "$(dirname "$0")/x11.sh"
    start_x 1920x1080x24 openbox
    ;;
weston)
    source "$(dirname "$0")/wayland/desktop.sh"
    start_weston 1920x1080
    ;;
*) fail "unknown desktop '$DESKTOP'" ;;
esac
start_game
# Ctrl+Plus: Plus is Shift and = on X's keyboard; the test seat on weston has the keypad's.
PLUS=plus
[ "$DESKTOP" != weston ] || PLUS=kpplus

# SCALE is the zoom: screen pixels per game pixel.
SCALE=2
# The game window of W x H screen pixels in STATE (normal by default), as "ID GEOMETRY".
sized() { local SCALE=1; window_of "$1" "$2" "${3:-normal}"; }
await_sized() {
    local what=$1 w=$2 h=$3 found=""
    found_sized() { found=$(sized "$w" "$h"); [ -n "$found" ]; }
    poll "$WAIT" found_sized || fail "no $what window of ${w}x${h}; windows now:
$(game_windows)"
    read -r WIN GEOM <<<"$found"
}
# The game's own window that fills the screen or the room a maximise gave it: its client area's
# geometry as the desktop gives it; a fullscreen window on weston has no frame.
filled() {
    local mode=$1
    if [ "$DESKTOP" = weston ] && [ "$mode" = fullscreen ]; then
        game_windows | awk -v w="${SCREEN[0]}" '$2 == "normal" && $4 == "window" && index($3, w "x") == 1 { print $1, $3 }'
    else
        local SCALE=1
        game_windows | awk '$2 == "normal" && $4 == "window" { print $1, $3 }' | while read -r id g; do
            [ "$DESKTOP" = weston ] && g=$(client_areas | awk -v id="$id" '$1 == id { print $3 }')
            [ "${g%%x*}" -ge 1900 ] && echo "$id $g"
        done
    fi
}
# Sets WIN, GEOM (the game's picture inside the window) and SCALE (its zoom) once a window fills
# the screen or its room: the largest whole zoom of W x H game pixels that fits, centred.
await_filled() {
    local mode=$1 w=$2 h=$3 found="" cw ch cx cy z
    found_filled() { found=$(filled "$mode" | head -n 1); [ -n "$found" ]; }
    poll "$WAIT" found_filled || fail "no window fills the screen ($mode); windows now:
$(game_windows)"
    read -r WIN GEOM <<<"$found"
    IFS='x+' read -r cw ch cx cy <<<"$GEOM"
    z=$(( cw / w < ch / h ? cw / w : ch / h ))
    SCALE=$z
    GEOM="$((w * z))x$((h * z))+$((cx + (cw - w * z) / 2))+$((cy + (ch - h * z) / 2))"
    FILLED="${cw}x${ch}+${cx}+${cy}"
}
# Black in the corners around the game (the top ones: weston's pointer rests bottom right).
black_around() {
    local SCALE=1 GEOM=$FILLED cw ch cx cy
    IFS='x+' read -r cw ch cx cy <<<"$FILLED"
    [ "$(color_at 0 0)" = 000000 ] && [ "$(color_at $((cw - 1)) 0)" = 000000 ]
}
# What the frame's maximise button does: openbox's through the message it sends; on weston a
# click on Qt's own button, between minimise and close.
maximise() {
    local win=$1 on=$2
    if [ "$DESKTOP" = weston ]; then
        local w h x y
        IFS='x+' read -r w h x y <<<"$(window_line "$win" | awk '{ print $3 }')"
        probe click $(( x + w - 39 )) $(( y + 15 )) >/dev/null
        park_pointer
    else
        "$PICTURES" maximise "$win" "$on"
    fi
}
# The title's picture and Begin, slid in, at the zoom in SCALE.
title_ready() { shot title; title_slid_in && begin_shown; }
# The same for a window of its own size at the zoom in SCALE, its place read afresh each time: a
# window manager may still move a window the zoom has just resized.
title_ready_here() {
    local found
    found=$(window_of "${TITLE_SIZE[@]}" normal | head -n 1)
    [ -n "$found" ] && read -r TITLE_WIN GEOM <<<"$found"
    title_ready
}

step "the title opens at zoom 2: 814x906, wholly on the screen, its picture in 2x2 squares"
await_sized title 814 906
TITLE_WIN=$WIN
on_screen "$GEOM" "$TITLE_WIN" || fail "the title window $GEOM does not lie wholly on the screen"
poll "$WAIT" title_ready_here || fail "the title did not slide in at zoom 2: $(picture_report title 0 42 407 190 0 42)"
shows_picture title 0 42 407 190 0 42 || fail "the title picture is not in crisp 2x2 squares: $(picture_report title 0 42 407 190 0 42)"
soft=$("$PICTURES" blocks "$last_shot" "$GEOM" "$SCALE" 6 0 393 41)
(( soft >= 200 )) || problem "the title's letters are enlarged pixels ($soft game pixels finer than a square), not text laid out at zoom 2"

step "Ctrl+Minus: the title at 407x453; Ctrl+Plus: back at 814x906"
point_at "$TITLE_WIN" "$GEOM" 203 200
send_key ctrl+minus
await_sized title 407 453
TITLE_WIN=$WIN
SCALE=1
poll "$WAIT" title_ready_here || fail "the title at zoom 1 does not show its picture and Begin"
on_screen "$GEOM" "$TITLE_WIN" || fail "the title window $GEOM left the screen"
point_at "$TITLE_WIN" "$GEOM" 203 200
send_key ctrl+$PLUS
await_sized title 814 906
TITLE_WIN=$WIN
SCALE=2
poll "$WAIT" title_ready_here || fail "the title back at zoom 2 does not show its picture and Begin"
on_screen "$GEOM" "$TITLE_WIN" || fail "the title window $GEOM left the screen"

if [ "$DESKTOP" = weston ]; then
    step "maximise and fullscreen on the title: the game fills the room at zoom 2, alive"
    maximise "$TITLE_WIN" on
    await_filled maximised 407 453
    poll "$WAIT" title_ready || fail "the maximised title does not show the title and Begin at $GEOM zoom $SCALE"
    black_around || problem "the maximised title is not centred on black"
    maximise "$WIN" off
    await_sized title 814 906
    TITLE_WIN=$WIN
    point_at "$TITLE_WIN"
    send_key F11
    await_filled fullscreen 407 453
    poll "$WAIT" title_ready || fail "the fullscreen title does not show the title and Begin at $GEOM zoom $SCALE"
    black_around || problem "the fullscreen title is not centred on black"
    send_key F11
    await_sized title 814 906
    TITLE_WIN=$WIN
    SCALE=2
    poll "$WAIT" title_ready_here || fail "the title back from fullscreen does not show the title and Begin"
fi

# The level runs on real time, and a youma reaches her some seconds in: each reading of her row
# also looks for the youma, the defeat box and the title back (await_level_row), and where one
# shows before the checks are done, the level is played again in a fresh game (play_level).
# Gives the level the keyboard, or returns 1 where the game's defeat has taken it (its box).
level_keyboard() {
    ( point_at "$LEVEL_WIN" "$GEOM" 248 60 ) 2>/dev/null && return 0
    level_ending || fail "the level window $LEVEL_WIN did not take the keyboard focus"
    danger="the level is ending: a youma caught her"
    return 1
}
level_at_zoom() {
    if [ -z "$game_pid" ]; then
        start_game
        await_sized title 814 906
        TITLE_WIN=$WIN
        SCALE=2
        poll "$WAIT" title_ready_here || fail "the title did not slide in at zoom 2"
    fi
    click_at "$TITLE_WIN" "$GEOM" 232 404
    await_sized selection 632 446
    click_at "$WIN" "$GEOM" "${EASY_BUTTON[@]}"
    await_sized "Easy level" 994 394
    LEVEL_WIN=$WIN
    YOUMA_ROWS=(96 104)
    await_level_row "level" "vessa_stand_r:$HEROINE_START" $HEROINE_START || return 1

    step "F11: the level fills the screen, the street in equal whole squares, centred on black"
    level_keyboard || return 1
    send_key F11
    await_filled fullscreen 497 197
    LEVEL_WIN=$WIN
    note "fullscreen: the street at zoom $SCALE, $GEOM"
    (( SCALE == 3 )) || problem "fullscreen on 1920x1080 should show the level at zoom 3, not $SCALE"
    street_shown() { shot fullscreen; shows_picture street 0 10 497 84 0 10 && shows_picture street 0 170 497 27 0 170; }
    poll "$WAIT" street_shown || fail "the fullscreen street is not in crisp ${SCALE}x$SCALE squares: $(picture_report street 0 170 497 27 0 170)"
    black_around || problem "the fullscreen level is not centred on black"
    send_key Right
    await_level_row "a step right, fullscreen" "vessa_stand_r:$((HEROINE_START + STEP))" $((HEROINE_START + STEP)) || return 1
    send_key F11
    await_sized "Easy level" 994 394
    LEVEL_WIN=$WIN
    SCALE=2

    step "the frame's maximise: the same, and the game plays on"
    maximise "$LEVEL_WIN" on
    await_filled maximised 497 197
    LEVEL_WIN=$WIN
    note "maximised: the street at zoom $SCALE, $GEOM"
    poll "$WAIT" street_shown || fail "the maximised street is not in crisp ${SCALE}x$SCALE squares: $(picture_report street 0 170 497 27 0 170)"
    black_around || problem "the maximised level is not centred on black"
    level_keyboard || return 1
    send_key Left
    await_level_row "a step back, maximised" "vessa_stand_l:$HEROINE_START" $HEROINE_START || return 1
    maximise "$LEVEL_WIN" off
    await_sized "Easy level" 994 394
    LEVEL_WIN=$WIN
    SCALE=2
    game_running || fail "the game ended"
}
play_level "Begin and Easy: the level at zoom 2, 994x394" level_at_zoom

step "the youma catch her: the box hides neither the score board nor its caption"
box_up() { [ "$(boxes | wc -l)" -ge 1 ]; }
poll 60 box_up || fail "no defeat box; windows: $(game_windows)"
read -r BOX_WIN BOX_GEOM <<<"$(boxes | head -n 1)"
await_sized title 814 906
TITLE_GEOM=$GEOM
# The box's whole frame, its caption bar included.
box_frame() {
    local l r t b w h x y
    read -r l r t b <<<"$(frame_of "$BOX_WIN")"
    IFS='x+' read -r w h x y <<<"$BOX_GEOM"
    echo "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))"
}
on_screen "$BOX_GEOM" "$BOX_WIN" || fail "the box $(box_frame) does not lie wholly on the screen: its caption may be out of view"
if "$PICTURES" overlaps "$(box_frame)" "$TITLE_GEOM" "$SCALE" 160 232 121 97; then
    problem "the box $(box_frame) hides the score board of the title window $TITLE_GEOM"
fi
shot "box"
GEOM=$TITLE_GEOM
score_board_shown || problem "the score board is not up while the box is open"
if [ "$DESKTOP" = openbox ]; then
    step "the box minimised comes back where it was"
    before=$BOX_GEOM
    minimise_window "$BOX_WIN"
    back_where_it_was() { [ "$(boxes | awk '{ print $2 }' | head -n 1)" = "$before" ]; }
    poll "$WAIT" back_where_it_was || problem "the box minimised at $before came back at $(boxes | awk '{ print $2 }')"
    read -r BOX_WIN BOX_GEOM <<<"$(boxes | head -n 1)"
fi

step "Enter answers the box; Quit ends the game with status 0"
point_at "$BOX_WIN" "$BOX_GEOM" 10 10
send_key Return
box_closed() { [ -z "$(boxes)" ]; }
poll "$WAIT" box_closed || fail "the box is still open after Enter"
await_sized title 814 906
click_at "$WIN" "$GEOM" 372 442
wait_game_end "$WAIT"
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
no_game_process_left
finish
