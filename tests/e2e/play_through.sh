#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The keys of a level as a player taps and holds them, on the real binary in a private X server:
# on the Easy level Left turns and steps her, a held D winds up and throws once at its release
# (the X server's auto-repeat must not throw), the tiara flies, a held Left walks her on until it
# is released; then the level's frame close brings the title window back, and Escape ends the
# program.
#
# The game runs in real time, and a youma reaches the heroine some seconds into the level. On a
# busy machine the checks may take longer than that; being caught then is the game's own rule,
# not a fault, and the level is played again in a fresh game (at most three times).
# Usage: play_through.sh GAME PICTURES OUT   (PICTURES: e2e-probe)
GAME=$(realpath "$1") PICTURES=$2 OUT=$3
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/x11.sh"

# A screen where the game opens at zoom 1 (too low for the title at 2).
start_x 1280x900x24

# Set when a message box came up while the level's checks ran: a youma caught her.
caught=""
box_is_up() { [ -n "$(boxes)" ] && caught=yes; }
# Polls like `poll`, but gives up at once when she has been caught.
poll_level() {
    local seconds=$1
    shift
    watch() { box_is_up || "$@"; }
    poll "$seconds" watch "$@" && [ -z "$caught" ]
}
await_level_row() {
    local what=$1 want=$2
    row_is() { shot "$what"; ROW=$(heroine_row); [ "$ROW" = "$want" ]; }
    poll_level "$WAIT" row_is && return 0
    [ -n "$caught" ] && return 1
    fail "$what: wanted the heroine row to show '$want', it shows '$ROW'"
}

# Through the title and the selection to the Easy level: Begin by a click, Easy by Enter.
open_easy_level() {
    start_game
    await_window title "${TITLE_SIZE[@]}"
    TITLE_WIN=$WIN
    title_ready() { shot title; title_slid_in && begin_shown; }
    poll "$WAIT" title_ready || fail "the title did not slide in, or Begin did not appear"
    click_at "$TITLE_WIN" "$GEOM" 232 404
    await_window selection "${SELEC_SIZE[@]}"
    point_at "$WIN" "$GEOM" 158 30
    send_key Return
    await_window "Easy level" "${EASY_SIZE[@]}"
    LEVEL_WIN=$WIN LEVEL_GEOM=$GEOM
}

# The level's keys; returns 1 if a youma caught her before the checks were done.
level_keys() {
    GEOM=$LEVEL_GEOM
    await_level_row "level" "vessa_stand_r:$HEROINE_START" || return 1
    shows_picture street 0 10 497 84 0 10 && shows_picture street 0 170 497 27 0 170 ||
        fail "the street is not shown unscaled from the top-left: $(picture_report street 0 170 497 27 0 170)"
    shows_picture vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street ||
        fail "the street does not show through the heroine: $(picture_report vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street)"

    step "Left turns her and steps; a held D winds up and throws once, at its release"
    point_at "$LEVEL_WIN" "$GEOM" 248 60
    x=$((HEROINE_START - STEP))
    send_key Left
    await_level_row "left" "vessa_stand_l:$x" || return 1
    local held_since
    held_since=$(now_ms)
    key_down d
    await_level_row "D down" "vessa_windup_l:$x" || { key_up d; return 1; }
    # Well past the server's auto-repeat delay: the repeats must neither throw nor change her pose.
    sleep "$(awk -v t=$(( 1000 - ($(now_ms) - held_since) )) 'BEGIN { print (t > 0 ? t : 0) / 1000 }')"
    shot "D held"
    local held_row
    held_row=$(heroine_row)
    key_up d
    box_is_up && return 1
    [ "$held_row" = "vessa_windup_l:$x" ] ||
        problem "holding D for a second shows '$held_row', wanted only her wind-up (a tiara means the auto-repeat threw)"
    TIARA_WIDTH=35
    tiara=""
    # While the tiara still lies over her she may not be found; when she is, she shows the release.
    tiara_seen() {
        shot throw
        local row her
        row=$(heroine_row)
        her=$(heroine_in <<<"$row")
        tiara=$(tiara_in <<<"$row")
        # The key-up takes a moment to arrive: until the tiara is out she may still be winding up.
        [ -z "$tiara" ] && [ "$her" = "vessa_windup_l:$x" ] && return 1
        [ -z "$her" ] || [ "$her" = "vessa_release_l:$x" ] || fail "after the throw the heroine row shows '$row'"
        [ -n "$tiara" ] || return 1
        [[ $tiara =~ ^vessa_shot:-?[0-9]+$ ]] || fail "more than one tiara: '$tiara'"
        tiara=${tiara#*:}
        [ -n "$her" ] || (( tiara + TIARA_WIDTH > x )) || fail "the heroine is gone from the row '$row'"
    }
    if ! poll_level "$WAIT" tiara_seen; then
        [ -n "$caught" ] && return 1
        fail "no tiara seen after D was released"
    fi
    local first=$tiara
    # The tiara leaves from her place and flies 12 pixels (180 twips) a tick.
    (( (x - first) % 12 == 0 && first <= x )) || fail "the tiara first seen at $first, not on its flight from $x"
    tiara_flown_clear() { tiara_seen && (( tiara < first && tiara + TIARA_WIDTH <= x )); }
    if ! poll_level "$WAIT" tiara_flown_clear; then
        [ -n "$caught" ] && return 1
        fail "the tiara did not fly on to the left from $first"
    fi
    note "tiara seen at $first, then at $tiara"

    step "a held Left arrow repeats: she walks on until it is released"
    key_down Left
    sleep 1
    key_up Left
    walked() { shot walked; WALKED=$(heroine_in <<<"$(heroine_row)"); [[ $WALKED == vessa_stand_l:* ]]; }
    if ! poll_level "$WAIT" walked; then
        [ -n "$caught" ] && return 1
        fail "after holding Left the heroine shows '$WALKED'"
    fi
    # Released: the next reading must be the same place (a stale repeat would walk her on).
    sleep 0.3
    shot "after release"
    box_is_up && return 1
    [ "$(heroine_in <<<"$(heroine_row)")" = "$WALKED" ] || fail "she walked on after Left was released"
    local steps=$(( (x - ${WALKED#*:}) / STEP ))
    (( steps >= 3 )) || fail "a second of held Left gave $steps steps, wanted auto-repeat to give several"
    note "held Left for 1 s: $steps steps"
    ! box_is_up
}

for attempt in 1 2 3; do
    step "the Easy level, by Begin and Enter (attempt $attempt)"
    caught=""
    open_easy_level
    level_keys && break
    note "a youma caught her before the checks were done: the machine is busy; playing the level again"
    stop_game
    (( attempt < 3 )) || fail "three times a youma caught her before the level's checks were done"
done

step "closing the level by its frame restores the title window, Begin offered, no score board"
close_window "$LEVEL_WIN"
poll "$WAIT" window_gone "${EASY_SIZE[@]}" || fail "the level window is still there after its close"
await_window title "${TITLE_SIZE[@]}" normal
no_board() { shot "level closed"; begin_shown && shows_picture title 168 240 105 81 168 240; }
poll "$WAIT" no_board || fail "after the level's close the title window should offer Begin without the score board"

step "Escape ends the program with status 0, leaving nothing behind"
point_at "$WIN" "$GEOM" 203 200
send_key Escape
wait_game_end "$WAIT"
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
no_game_process_left
[ -z "$(game_windows)" ] || fail "windows left behind: $(game_windows)"
finish
