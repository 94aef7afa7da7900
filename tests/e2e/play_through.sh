#!/usr/bin/env bash
# A player's game on the real binary in a private X server: the title slides in and offers Begin,
# Begin minimises the title, frame close buttons, the Easy level's keys and throw, a defeat on the
# Moderate level whose box freezes the game, the score board, and Escape ending the program.
# Usage: play_through.sh GAME PROBE OUT
GAME=$(realpath "$1") PROBE=$2 OUT=$3
source "$(dirname "$0")/lib.sh"

start_x 1280x1024x24
start_game

step "the title window shows its picture, slides the title in, and only then offers Begin"
await_window title "${TITLE_SIZE[@]}"
TITLE_WIN=$WIN
title_painted() { shot title; shows_picture title 0 42 407 190 0 42 && shows_picture title 0 330 407 54 0 330; }
poll 10 title_painted || fail "the title window does not show the title picture: $(picture_report title 0 42 407 190 0 42)"
frames_sliding=0
begin_after_slide() {
    shot slide
    if begin_shown; then
        title_slid_in || fail "Begin is shown before the title has slid in"
        return 0
    fi
    title_sliding && frames_sliding=$((frames_sliding + 1))
    return 1
}
poll 10 begin_after_slide || fail "Begin never appeared"
note "frames caught mid-slide: $frames_sliding (the slide lasts about 0.6 s)"
title_lettered || problem "the title's letters are not drawn ($(title_letter_pixels) magenta pixels)"

step "Begin opens the level selection and minimises the title window"
click_at "$TITLE_WIN" "$GEOM" 232 404
await_window selection "${SELEC_SIZE[@]}"
SELEC_WIN=$WIN
await_window title "${TITLE_SIZE[@]}" iconic
xprop -id "$TITLE_WIN" WM_STATE | grep -q 'window state: Iconic' || fail "the title window's WM_STATE is not Iconic"
xwininfo -id "$TITLE_WIN" | grep -q 'Map State: IsUnMapped' || fail "the minimised title window is still mapped"

step "closing the selection by its frame restores the title window, Begin still offered"
"$PROBE" close "$SELEC_WIN"
poll 10 window_gone "${SELEC_SIZE[@]}" || fail "the selection window is still there after its close"
await_window title "${TITLE_SIZE[@]}" normal
title_ready() { shot restored; title_slid_in && begin_shown; }
poll 5 title_ready || fail "the restored title window does not show the slid-in title and Begin"

step "Begin again, then Enter on the selection opens the Easy level"
click_at "$TITLE_WIN" "$GEOM" 232 404
await_window selection "${SELEC_SIZE[@]}"
point_at "$WIN" "$GEOM" 158 30
xdotool key Return
await_window "Easy level" "${EASY_SIZE[@]}"
LEVEL_WIN=$WIN
poll 10 window_gone "${SELEC_SIZE[@]}" || fail "the selection window stayed after a level was chosen"
[ -n "$(window_of "${TITLE_SIZE[@]}" iconic)" ] || fail "the title window came back while the level opened"

step "the level shows the street and the heroine at her start, facing right"
await_row "level" "vessa_stand_r:$HEROINE_START"
shows_picture street 0 10 497 84 0 10 && shows_picture street 0 170 497 27 0 170 ||
    fail "the street is not shown unscaled from the top-left: $(picture_report street 0 170 497 27 0 170)"
shows_picture vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street ||
    fail "the street does not show through the heroine: $(picture_report vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street)"

step "Left turns her and steps; a held D winds up and throws once, at its release"
point_at "$LEVEL_WIN" "$GEOM" 248 60
x=$((HEROINE_START - STEP))
xdotool key Left
await_row "left" "vessa_stand_l:$x"
held_since=$(now_ms)
xdotool keydown d
await_row "D down" "vessa_windup_l:$x"
# Well past the server's auto-repeat delay: the repeats must neither throw nor change her pose.
sleep "$(awk -v t=$(( 1000 - ($(now_ms) - held_since) )) 'BEGIN { print (t > 0 ? t : 0) / 1000 }')"
shot "D held"
[ "$(heroine_row)" = "vessa_windup_l:$x" ] || problem "holding D for a second shows '$(heroine_row)', wanted only her wind-up (a tiara means the auto-repeat threw)"
xdotool keyup d
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
poll 3 tiara_seen || fail "no tiara seen after D was released"
first=$tiara
# The tiara leaves from her place and flies 12 pixels (180 twips) a tick.
(( (x - first) % 12 == 0 && first <= x )) || fail "the tiara first seen at $first, not on its flight from $x"
tiara_flown_clear() { tiara_seen && (( tiara < first && tiara + TIARA_WIDTH <= x )); }
poll 3 tiara_flown_clear || fail "the tiara did not fly on to the left from $first"
note "tiara seen at $first, then at $tiara"

step "a held Left arrow repeats: she walks on until it is released"
xdotool keydown Left
sleep 1
xdotool keyup Left
walked() { shot walked; WALKED=$(heroine_in <<<"$(heroine_row)"); [[ $WALKED == vessa_stand_l:* ]]; }
poll 3 walked || fail "after holding Left the heroine shows '$WALKED'"
sleep 0.3
shot "after release"
[ "$(heroine_in <<<"$(heroine_row)")" = "$WALKED" ] || fail "she walked on after Left was released"
steps=$(( (x - ${WALKED#*:}) / STEP ))
(( steps >= 3 )) || fail "a second of held Left gave $steps steps, wanted auto-repeat to give several"
note "held Left for 1 s: $steps steps"

step "closing the level by its frame restores the title window, Begin offered, no score board"
[ -z "$(boxes)" ] || fail "a youma caught the heroine before the level's close was tried: the steps above took too long"
"$PROBE" close "$LEVEL_WIN"
poll 10 window_gone "${EASY_SIZE[@]}" || fail "the level window is still there after its close"
await_window title "${TITLE_SIZE[@]}" normal
no_board() { shot "level closed"; begin_shown && shows_picture title 168 240 105 81 168 240; }
poll 5 no_board || fail "after the level's close the title window should offer Begin without the score board"

step "Alt+B and the Moderate button; two steps left a ball hits her"
point_at "$TITLE_WIN" "$GEOM" 203 200
xdotool key alt+b
await_window selection "${SELEC_SIZE[@]}"
click_at "$WIN" "$GEOM" "${MODERATE_BUTTON[@]}"
await_window "Moderate level" "${MODERATE_SIZE[@]}"
LEVEL_WIN=$WIN
await_row "Moderate" "vessa_stand_r:$HEROINE_START"
point_at "$LEVEL_WIN" "$GEOM" 248 60
xdotool key Left
await_row "one step" "vessa_stand_l:$((HEROINE_START - STEP))"
xdotool key Left
box_up() { [ "$(boxes | wc -l)" -ge 1 ]; }
poll 10 box_up || fail "no message box after the heroine stood in a ball's column; windows:
$(game_windows)"
box_opened=$(now_ms)
read -r BOX_WIN BOX_GEOM <<<"$(boxes | head -n 1)"

step "while the defeat box is open nothing ticks: one box, the level still there, nothing moves"
[ -n "$(window_of "${MODERATE_SIZE[@]}" normal)" ] || fail "the level closed before its box was answered"
[ -n "$(window_of "${TITLE_SIZE[@]}" normal)" ] || fail "the title window is not restored while the box is open"
shot "box open"
frozen=$last_shot
# The title window is back behind the box: score board up, Begin gone (where the box leaves them
# in sight).
title_geom=$(window_of "${TITLE_SIZE[@]}" normal | cut -d' ' -f2)
GEOM=$title_geom
uncovered() { ! "$PROBE" overlaps "$BOX_GEOM" "$GEOM" "$SCALE" "$@"; }
if uncovered 168 272 105 49; then
    [ "$(color_at 170 300)" = 0000ff ] && [ "$(color_at 160 300)" = 800000 ] ||
        fail "the score board is not up on the title window while the defeat box is open"
fi
if uncovered "${BEGIN_RECT[@]}"; then
    ! begin_shown || fail "Begin is still offered while the defeat box is open"
fi
sleep "$(awk -v t=$(( 3000 - ($(now_ms) - box_opened) )) 'BEGIN { print (t > 0 ? t : 0) / 1000 }')"
shot "box after 3 s"
[ "$(boxes | wc -l)" -eq 1 ] || fail "a box open for 3 s has company:
$(game_windows)"
[ -n "$(window_of "${MODERATE_SIZE[@]}" normal)" ] || fail "the level closed while its box was open"
moved=$("$PROBE" differ "$frozen" "$last_shot")
[ "$moved" -eq 0 ] || problem "$moved screen pixels changed in 3 s with the box open (compare with $frozen)"

step "Enter closes the box; the level closes and the title shows the score board without Begin"
point_at "$BOX_WIN" "$BOX_GEOM" 10 10
xdotool key Return
box_closed() { [ -z "$(boxes)" ]; }
poll 10 box_closed || fail "the box is still open after Enter"
poll 10 window_gone "${MODERATE_SIZE[@]}" || fail "the level window stayed after its defeat box"
await_window title "${TITLE_SIZE[@]}" normal
board() { shot "score board"; score_board_shown && ! begin_shown && title_slid_in; }
poll 5 board || fail "the title window should show the score board and no Begin after a defeat"
# The Enter that closed the box must not reach the title window, whose focused button is Quit.
sleep 0.5
game_running || fail "the game ended after the Enter that closed the defeat box"

step "Escape ends the program with status 0, leaving nothing behind"
point_at "$TITLE_WIN" "$GEOM" 203 200
xdotool key Escape
wait_game_end 10
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
no_game_process_left
[ -z "$(game_windows)" ] || fail "windows left behind: $(game_windows)"
finish
