#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The keys of a level as a player taps and holds them, on the real binary in a private X server:
# on the Easy level Left turns and steps her, a held D winds up and throws once at its release
# (the X server's auto-repeat must not throw), the tiara flies, a held Left walks her on until it
# is released, and the level's frame close brings the title window back; Escape ends the program.
#
# The level runs in real time and its youma catch her a few seconds in; the checks do not race
# them (see lib.sh, "a level while it runs"): each part of the level is played in a fresh game and
# again when a youma came near her before its checks were done.
# Usage: play_through.sh GAME PICTURES OUT   (PICTURES: e2e-probe)
GAME=$(realpath "$1") PICTURES=$2 OUT=$3
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/x11.sh"

# A screen where the game opens at zoom 1 (too low for the title at 2).
start_x 1280x900x24

# Through the title and the selection to the Easy level: Begin by a click, Easy by Enter. The
# level's clock starts here; its first reading shows her at her start, facing right.
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
    # The youma from the left walks higher than the one from the right.
    YOUMA_ROWS=(96 104)
    await_level_row "level" "vessa_stand_r:$HEROINE_START" $HEROINE_START || return 1
    START_SHOT=$last_shot
    point_at "$LEVEL_WIN" "$GEOM" 248 60
}

# Left turns her and steps; a held D winds up and throws once, at its release; the tiara flies
# to the left from her place. The keys go as one run timed by xdotool while every frame of the
# level is recorded, and the frames are read afterwards: what the game showed does not depend on
# how quickly the test looks. A first tap of D throws to the right, at the youma coming from there
# (as a player would): hit, it starts again from the right edge, so neither youma can reach her
# before the run is over on any but a very slow machine; a frame with one next to her ends what
# is judged, and the run is played again.
turn_and_throw() {
    open_easy_level || return 1
    local x=$((HEROINE_START - STEP))
    record_while keys xdotool keydown d keyup d sleep 0.3 key Left sleep 0.5 keydown d sleep 1 keyup d sleep 1
    ! level_ending || { danger="the level is ending: a youma caught her"; return 1; }
    # What each frame shows, in order: stepped (Left seen), the hold's first and last frame, then
    # the tiara's first place and its flight.
    local at reading t her tiaras youma stepped="" held_from="" held_to="" first="" flown="" hits=0 seen=0
    while read -r at reading; do
        her=() tiaras=() youma=()
        for t in $reading; do
            case $t in
            youma_*) youma+=("${t#*:}") ;;
            vessa_shot:*) tiaras+=("${t#*:}") ;;
            *) her+=("$t") ;;
            esac
        done
        for t in "${youma[@]}"; do
            if (( t < x + HEROINE_WIDTH + NEAR + STEP && t + YOUMA_WIDTH > x - NEAR )); then
                danger="a youma at $t, next to her, in frame $at"
                break 2
            fi
        done
        # A tiara that hits the youma from the left is hidden, and that youma is back behind the
        # edge: the frames from then on show no flight.
        (( ${#youma[@]} >= seen )) || { [ -z "$first" ] || hits=1; }
        (( ${#youma[@]} < seen )) || seen=${#youma[@]}
        (( hits == 0 )) || break
        local left_tiara="" covered=""
        for t in "${tiaras[@]}"; do
            (( t > x )) || left_tiara=$t
            (( t >= x + HEROINE_WIDTH + STEP || t + TIARA_WIDTH <= x )) || covered=yes
        done
        # A tiara over her may hide her from the reading: such a frame shows nothing of her pose.
        if (( ${#her[@]} == 0 )); then
            [ -n "$covered" ] || fail "the heroine is gone from the row '$reading' (frame $at in $FRAMES)"
            [ -n "$held_from" ] && [ -n "$left_tiara" ] || continue
        fi
        if [ -z "$stepped" ]; then
            # Before Left: at her start, the first throw's tiara flying off to the right.
            case "${her[*]}" in
            "vessa_stand_l:$x") stepped=$at ;;
            vessa_stand_r:$HEROINE_START | vessa_windup_r:$HEROINE_START | vessa_release_r:$HEROINE_START) ;;
            *) fail "before her step left the heroine row shows '$reading' (frame $at in $FRAMES)" ;;
            esac
            continue
        fi
        if [ -z "$held_from" ] && [ "${her[*]}" = "vessa_stand_l:$x" ]; then continue; fi
        if [ -z "$first" ] && [ "${her[*]}" = "vessa_windup_l:$x" ] && [ -z "$covered" ]; then
            # The auto-repeat of the held D must neither throw nor change her pose.
            if [ -n "$left_tiara" ]; then
                last_shot="$FRAMES/$at.png" problem "while D is held a tiara flies at $left_tiara: the auto-repeat threw"
            fi
            [ -n "$held_from" ] || held_from=$at
            held_to=$at
            continue
        fi
        [ -n "$held_from" ] || fail "after her step left the heroine row shows '$reading', not her wind-up (frame $at in $FRAMES)"
        # Released, she shows the release.
        (( ${#her[@]} == 0 )) || [ "${her[*]}" = "vessa_release_l:$x" ] || fail "after the throw the heroine row shows '$reading' (frame $at in $FRAMES)"
        (( ${#tiaras[@]} <= 1 )) || fail "more than one tiara: '$reading' (frame $at in $FRAMES)"
        [ -n "$left_tiara" ] || continue
        [ -n "$first" ] || first=$left_tiara
        if (( left_tiara < first && left_tiara + TIARA_WIDTH <= x )); then
            flown=$left_tiara
            break
        fi
    done < <("$PICTURES" frames "$FRAMES" "$SCALE" "$HEROINE_ROW" "${HEROINE_POSES[@]}" vessa_shot \
        "${YOUMA_ROWS[0]}" youma_l youma_r "${YOUMA_ROWS[1]}" youma_l youma_r)
    if [ -z "$flown" ]; then
        [ -n "$danger" ] && return 1
        (( hits == 0 )) || { danger="the tiara hit the youma from the left before its flight was recorded"; return 1; }
        [ -n "$stepped" ] || fail "no frame shows her turned and a step left after Left (frames in $FRAMES)"
        [ -n "$held_from" ] || fail "no frame shows her wind-up while D was held (frames in $FRAMES)"
        [ -n "$first" ] || fail "no tiara seen after D was released (frames in $FRAMES)"
        fail "the tiara did not fly on to the left from $first (frames in $FRAMES)"
    fi
    # The frames of the hold must reach well past the auto-repeat's delay of 500 ms for them to
    # show that the repeats did not throw; a wind-up cut short by a throw fails above.
    local held=$(( 10#$held_to - 10#$held_from ))
    (( held >= 700 )) || { danger="the frames of the held D span only $held ms"; return 1; }
    # The tiara leaves from her place and flies 12 pixels (180 twips) a tick.
    (( (x - first) % 12 == 0 && first <= x )) || fail "the tiara first seen at $first, not on its flight from $x"
    note "wind-up for $held ms of the held D; tiara seen at $first, then at $flown"
}

# A held Left arrow repeats: she walks on until it is released, and no stale repeat walks her on.
# She walks towards the youma from the left; a first throw that way (the keys as one run) sends it
# back behind the edge before she comes near it.
held_left() {
    open_easy_level || return 1
    local x=$((HEROINE_START - STEP))
    xdotool key Left keydown d keyup d keydown Left sleep 1 keyup Left
    walked() {
        read_level walked ""
        WALKED=$(heroine_in "$ROW")
        [ -n "$danger" ] || [[ $WALKED == vessa_stand_l:* ]] && return 0
        level_ending && danger="the level is ending: a youma caught her"
    }
    poll "$WAIT" walked || fail "after holding Left the heroine shows '$WALKED'"
    [ -z "$danger" ] || return 1
    # Released: the next reading must be the same place (a stale repeat would walk her on).
    sleep 0.3
    read_level "after release" "${WALKED#*:}"
    if [ "$(heroine_in "$ROW")" != "$WALKED" ]; then
        explained && return 1
        fail "she walked on after Left was released: '$WALKED', then '$(heroine_in "$ROW")'"
    fi
    [ -z "$danger" ] || return 1
    local steps=$(( (x - ${WALKED#*:}) / STEP ))
    (( steps >= 3 )) || fail "a second of held Left gave $steps steps, wanted auto-repeat to give several"
    note "held Left for 1 s: $steps steps"

    step "closing the level by its frame restores the title window, Begin offered, no score board"
    close_window "$LEVEL_WIN"
    # A youma may catch her before the close arrives; then its box holds the level.
    closed() { window_gone "${EASY_SIZE[@]}" || [ -n "$(boxes)" ]; }
    poll "$WAIT" closed || fail "the level window is still there after its close"
    [ -z "$(boxes)" ] || { danger="a youma caught her before the level closed"; return 1; }
    await_window title "${TITLE_SIZE[@]}" normal
    no_board() { shot "level closed"; begin_shown && shows_picture title 168 240 105 81 168 240; }
    poll "$WAIT" no_board || fail "after the level's close the title window should offer Begin without the score board"
}

play_level "the Easy level, by Begin and Enter: Left, a held D and the throw" turn_and_throw
# The first reading had no youma near her and the tiara not yet out: the street and she show there
# as the level draws them, whenever it is looked at.
last_shot=$START_SHOT GEOM=$LEVEL_GEOM
shows_picture street 0 10 497 84 0 10 && shows_picture street 0 170 497 27 0 170 ||
    fail "the street is not shown unscaled from the top-left: $(picture_report street 0 170 497 27 0 170)"
shows_picture vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street ||
    fail "the street does not show through the heroine: $(picture_report vessa_stand_r 0 0 19 38 $HEROINE_START $HEROINE_ROW street)"
stop_game
play_level "the Easy level again: a held Left arrow walks her on until it is released" held_left


step "Escape ends the program with status 0, leaving nothing behind"
point_at "$WIN" "$GEOM" 203 200
send_key Escape
wait_game_end "$WAIT"
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
no_game_process_left
[ -z "$(game_windows)" ] || fail "windows left behind: $(game_windows)"
finish
