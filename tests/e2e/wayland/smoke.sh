#!/usr/bin/env bash
# The real game as a native Wayland client of a headless weston, played through the probe's seat:
# the title window in Qt's own frame, Escape ending the program, Begin minimising the title
# window, Enter on the selection opening the Easy level, the arrow keys moving the heroine, the
# level's frame close, and closing the title window ending the program.
# Usage: smoke.sh GAME PROBE OUT   (WL_PROBE_MODULE and E2E_PICTURES in the environment)
GAME=$(realpath "$1") PROBE=$2 OUT=$3
source "$(dirname "$0")/lib.sh"
[ -n "$PICTURES" ] || { echo "SKIP: no e2e-probe to read the screenshots"; exit 77; }

start_weston

# Sets TITLE_WIN and GEOM once the title has slid in and Begin is offered.
await_title() {
    local name=$1
    await_window title "${TITLE_SIZE[@]}"
    TITLE_WIN=$WIN
    title_ready() { shot "$name"; shows_picture title 0 42 407 190 0 42 && title_slid_in && begin_shown; }
    poll 10 title_ready || fail "the title window does not show the slid-in title and Begin: $(picture_report title 0 42 407 190 0 42)"
}

step "the title window opens in its frame with the keyboard focus; Escape ends the program"
start_game
await_title title
note "$(window_line "$TITLE_WIN")"
poll 5 has_focus "$TITLE_WIN" || fail "the new title window has no keyboard focus: $(window_line "$TITLE_WIN")"
key escape
wait_game_end 10
[ "$exit_status" -eq 0 ] || fail "Escape on the title window: the game exited with status $exit_status"
no_game_process_left

step "Begin opens the level selection and minimises the title window"
start_game
await_title title
click_at "$TITLE_WIN" "$GEOM" 232 404
await_window selection "${SELEC_SIZE[@]}"
SELEC_WIN=$WIN
await_window title "${TITLE_SIZE[@]}" minimized
poll 5 has_focus "$SELEC_WIN" || fail "the selection window has no keyboard focus: $(window_line "$SELEC_WIN")"

step "Enter on the selection opens the Easy level"
key enter
await_window "Easy level" "${EASY_SIZE[@]}"
LEVEL_WIN=$WIN
poll 10 window_gone "${SELEC_SIZE[@]}" || fail "the selection window stayed after a level was chosen"
[ "$(state_of "$TITLE_WIN")" = minimized ] || fail "the title window came back while the level opened: $(window_line "$TITLE_WIN")"

step "the heroine starts facing right; Left turns her and steps, Right turns her back and steps"
await_row "level" "vessa_stand_r:$HEROINE_START"
shows_picture street 0 10 497 84 0 10 || fail "the street is not shown from the client area's top-left: $(picture_report street 0 10 497 84 0 10)"
focus_window "$LEVEL_WIN"
key left
await_row "left" "vessa_stand_l:$((HEROINE_START - STEP))"
key right
await_row "right" "vessa_stand_r:$HEROINE_START"

step "closing the level by its frame"
[ -z "$(game_windows | awk '$4 == "dialog"')" ] || fail "a youma caught the heroine before the level's close was tried: the steps above took too long"
probe close "$LEVEL_WIN" >/dev/null
poll 10 window_gone "${EASY_SIZE[@]}" || fail "the level window is still there after its close"
# A window Qt hides and shows again is a new toplevel with a new ID: look for it by its size.
title_back() { [ -n "$(window_of "${TITLE_SIZE[@]}" normal)" ]; }
if poll 5 title_back; then
    note "the title window is back"
    await_title "level closed"
else
    # Known fault of the game on Wayland: the minimised title window is not brought back, and
    # desktop-shell offers nothing that could. Reported, not failed, until the game is fixed.
    note "KNOWN FAULT: the title window stays $(state_of "$TITLE_WIN") after the level's close"
fi

step "closing the title window by its frame ends the program with status 0"
probe close "$TITLE_WIN" >/dev/null
wait_game_end 10
[ "$exit_status" -eq 0 ] || fail "closing the title window: the game exited with status $exit_status"
no_game_process_left
finish
