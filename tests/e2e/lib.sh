# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Shared by the end-to-end scripts: the game's windows and where things are in them, waiting,
# reporting, and what a player sees in screenshots. A desktop's own part (x11.sh for an X server,
# wayland/desktop.sh for weston) is sourced after this one and gives the game's windows, input
# and screenshots. Sourced with GAME, PICTURES (e2e-probe, which reads screenshots) and OUT set;
# OUT receives the screenshots and logs.
# Every wait is for something to be seen, with a limit generous enough for a busy machine: a
# check that holds returns at once, so a long limit costs nothing when the game is right.
set -euo pipefail
WAIT=${E2E_WAIT:-30}

mkdir -p "$OUT"
rm -rf "$OUT"/*.png "$OUT"/*.log "$OUT"/*.txt "$OUT"/*.frames

# The game's windows, in game pixels.
TITLE_SIZE=(407 453)
SELEC_SIZE=(316 223)
EASY_SIZE=(497 197)
MODERATE_SIZE=(495 196)
# Where things are, in game pixels of their window.
BEGIN_RECT=(176 384 113 41)
EASY_BUTTON=(152 104)
MODERATE_BUTTON=(152 144)
HEROINE_ROW=128  # Main.Top and Action.Top 1920 twips on Easy and Moderate
HEROINE_START=256
STEP=8  # an arrow key moves her 120 twips
LIGHT_YELLOW=ffffc0

SCALE=${SCALE:-1}
shot_count=0
last_shot=""
game_pid=""
recorder_pid=""
# What the desktop started (its server, its window manager), stopped at the end in reverse.
desktop_pids=()

started_ms=${EPOCHREALTIME/./}
started_ms=$((started_ms / 1000))
step() { printf '== %5.1f s  %s\n' "$(( ($(now_ms) - started_ms) / 100 ))e-1" "$*"; }
note() { echo "   $*"; }
fail() {
    echo "FAIL: $*" >&2
    [ -z "$last_shot" ] || echo "      last screenshot: $last_shot" >&2
    echo "      logs and screenshots: $OUT" >&2
    exit 1
}

# A fault that leaves the rest of the game playable: reported now, the run goes on, fails at the end.
problems=0
problem() {
    echo "FAIL: $*" >&2
    [ -z "$last_shot" ] || echo "      screenshot: $last_shot" >&2
    problems=$((problems + 1))
}
finish() {
    (( problems == 0 )) || fail "$problems fault(s) reported above"
    echo "PASS"
}

now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }

# Runs "$@" until it succeeds or SECONDS have passed; polling, never a fixed wait for an event.
poll() {
    local seconds=$1
    shift
    local end=$(( $(now_ms) + seconds * 1000 ))
    until "$@"; do
        (( $(now_ms) < end )) || return 1
        sleep 0.05
    done
}

cleanup() {
    # Only what this script started, by its id.
    local pid i
    [ -z "$recorder_pid" ] || { kill "$recorder_pid" 2>/dev/null && wait "$recorder_pid" 2>/dev/null || true; }
    [ -z "$game_pid" ] || { kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null || true; }
    for (( i = ${#desktop_pids[@]} - 1; i >= 0; i-- )); do
        pid=${desktop_pids[i]}
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    declare -F desktop_cleanup >/dev/null && desktop_cleanup
    return 0
}
trap cleanup EXIT

# Ends the game this script started, as a player killing it would.
stop_game() {
    [ -n "$game_pid" ] || return 0
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
}

game_running() { kill -0 "$game_pid" 2>/dev/null && [ "$(ps -o stat= -p "$game_pid" | cut -c1)" != Z ]; }

# Waits for the game to end; sets exit_status.
wait_game_end() {
    if ! poll "$1" eval '! game_running'; then
        shot "still running"
        fail "the game is still running ${1} s after it should have ended; its windows:
$(game_windows)
      $(game_threads still-running)"
    fi
    exit_status=0
    wait "$game_pid" || exit_status=$?
    game_pid=""
}

# Where the game's threads wait, into $OUT/NAME.txt, to tell a hang in the game from an input it
# never got; says where.
game_threads() {
    if ! game_running; then
        echo "the game is not running"
    elif command -v gdb >/dev/null; then
        gdb -p "$game_pid" -batch -ex 'thread apply all bt' >"$OUT/$1.txt" 2>&1 || true
        echo "its threads: $OUT/$1.txt"
    fi
}

no_game_process_left() {
    local pid exe left=""
    for pid in /proc/[0-9]*; do
        exe=$(readlink "$pid/exe" 2>/dev/null) || continue
        [ "$exe" = "$GAME" ] && left+=" ${pid#/proc/}"
    done
    [ -z "$left" ] || fail "game processes left behind:$left"
}

# ---- windows ------------------------------------------------------------------------------------

# Sets WIN and GEOM (the client area on the screen) to the window of SIZE in STATE (normal, or
# $MINIMISED) once there is one.
await_window() {
    local what=$1 w=$2 h=$3 state=${4:-normal} found=""
    found_window() { found=$(window_of "$w" "$h" "$state"); [ -n "$found" ]; }
    poll "$WAIT" found_window || fail "no $state $what window of $((w * SCALE))x$((h * SCALE)); windows now:
$(game_windows)
      $(game_threads no-window)"
    read -r WIN GEOM <<<"$found"
}

window_gone() { [ -z "$(window_of "$1" "$2" normal)$(window_of "$1" "$2" "$MINIMISED")" ]; }

# A window's screen position plus game pixels (X, Y), as "x y".
screen_point() {
    local geom=$1 x=$2 y=$3
    local ox=${geom#*+}
    local oy=${ox#*+}
    ox=${ox%+*}
    echo "$(( ox + x * SCALE )) $(( oy + y * SCALE ))"
}

# Whether the window at GEOM (its client area), with its frame if WIN is given, lies wholly on the
# screen.
on_screen() {
    local geom=$1 win=${2:-} l=0 r=0 t=0 b=0 size w h x y
    [ -z "$win" ] || read -r l r t b <<<"$(frame_of "$win")"
    size=$(screen_size)
    IFS='x+' read -r w h x y <<<"$geom"
    (( x - l >= 0 && y - t >= 0 && x + w + r <= ${size%x*} && y + h + b <= ${size#*x} ))
}

# Whether the window at GEOM1 is centred over the one at GEOM2, give or take a frame's difference.
centred_over() {
    local w1 h1 x1 y1 w2 h2 x2 y2 slack=$(( 24 * SCALE ))
    IFS='x+' read -r w1 h1 x1 y1 <<<"$1"
    IFS='x+' read -r w2 h2 x2 y2 <<<"$2"
    local dx=$(( (2 * x1 + w1) - (2 * x2 + w2) )) dy=$(( (2 * y1 + h1) - (2 * y2 + h2) ))
    (( ${dx#-} <= 2 * slack && ${dy#-} <= 2 * slack ))
}

# ---- screenshots and what they show -------------------------------------------------------------

# shot NAME takes a screenshot of the whole screen into $last_shot; shot_and_find Y SPRITE... takes
# one into the $last_shot that next_shot named and gives what sprites_in_row reads in it (the
# desktop's part).
# In the last screenshot, through the window at GEOM:
shows_picture() { "$PICTURES" match "$last_shot" "$GEOM" "$SCALE" "$@" >/dev/null; }
picture_report() { "$PICTURES" match "$last_shot" "$GEOM" "$SCALE" "$@" || true; }
color_at() { "$PICTURES" color "$last_shot" "$GEOM" "$SCALE" "$1" "$2"; }
sprites_in_row() { "$PICTURES" find "$last_shot" "$GEOM" "$SCALE" "$@"; }

# The title picture shows exactly where Begin stands when Begin is hidden.
begin_shown() { ! shows_picture title "${BEGIN_RECT[@]}" "${BEGIN_RECT[0]}" "${BEGIN_RECT[1]}"; }
# The slid-in title stands 6 pixels from the left; the picture shows left of it.
title_slid_in() {
    shows_picture title 0 0 6 40 0 0 && [ "$(color_at 6 2)" = $LIGHT_YELLOW ] &&
        [ "$(color_at 398 2)" = $LIGHT_YELLOW ] && [ "$(color_at 399 2)" != $LIGHT_YELLOW ]
}
# Pure magenta pixels of the title's letters: about 480 at scale 1, more at 2, none if not drawn.
title_letter_pixels() { "$PICTURES" count "$last_shot" "$GEOM" "$SCALE" 6 0 393 41 ff00ff; }
title_lettered() { (( $(title_letter_pixels) >= 100 * SCALE * SCALE )); }
title_sliding() { [ "$(color_at 398 2)" != $LIGHT_YELLOW ]; }
score_board_shown() {
    [ "$(color_at 170 242)" = 0000ff ] && [ "$(color_at 170 320)" = 0000ff ] && [ "$(color_at 160 260)" = 800000 ]
}

# Her pictures, read along her row as "pose:x" (and the tiara's as "vessa_shot:x").
HEROINE_POSES=(vessa_stand_r vessa_stand_l vessa_windup_r vessa_windup_l vessa_release_r vessa_release_l)
# Filters of such a reading ROW: the heroine's part, the tiara's part.
heroine_in() { local t out=""; for t in $1; do [[ $t == vessa_shot:* ]] || out+="${out:+ }$t"; done; echo "$out"; }
tiara_in() { local t out=""; for t in $1; do [[ $t != vessa_shot:* ]] || out+="${out:+ }$t"; done; echo "$out"; }

# Names the next screenshot NAME in $last_shot.
next_shot() {
    shot_count=$((shot_count + 1))
    last_shot=$(printf '%s/%02d-%s.png' "$OUT" "$shot_count" "${1// /-}")
}

# ---- a level while it runs ----------------------------------------------------------------------
# The game keeps real time: a youma walks 12 pixels (180 twips) a tick, three ticks a second at
# first, and catches her some four seconds into a level, and a busy machine may keep the test from
# looking for longer than that. So no check rests on the test being quick. Every reading of a
# running level also finds the youma; one next to her, a message box, or the title window back (a
# defeat restores it) means the game's own rules may hide her or end the level, and a reading then
# proves nothing either way. The part of the level is then played again in a fresh game
# (play_level), at most REPLAYS times. A reading with no such sign is the game's true state, and
# what it shows may be judged later.
YOUMA_WIDTH=35
HEROINE_WIDTH=21 # the widest of her poses
TIARA_WIDTH=35
NEAR=12          # one youma step: nearer, the next tick may bring it over her
YOUMA_ROWS=()    # where the youma walk on the open level, set by the script as it opens one
REPLAYS=5
danger=""

# Takes a screenshot of a running level and reads her row and the youma's: sets ROW (the list of
# "pose:x" for her and "vessa_shot:x" for the tiara) and YOUMA (their x), and danger if a youma is
# within NEAR of her at X (if given) or wherever she shows.
read_level() {
    local what=$1 x=$2 args=("$HEROINE_ROW" "${HEROINE_POSES[@]}" vessa_shot) r t found her=()
    [ -z "$x" ] || her=("$x")
    for r in "${YOUMA_ROWS[@]}"; do args+=("$r" youma_l youma_r); done
    next_shot "$what"
    found=$(shot_and_find "${args[@]}")
    ROW="" YOUMA=()
    for t in $found; do
        case $t in
        youma_*) YOUMA+=("${t#*:}") ;;
        vessa_shot:*) ROW+="${ROW:+ }$t" ;;
        *) ROW+="${ROW:+ }$t" her+=("${t#*:}") ;;
        esac
    done
    for t in "${YOUMA[@]}"; do
        for x in "${her[@]}"; do
            if (( t < x + HEROINE_WIDTH + NEAR && t + YOUMA_WIDTH > x - NEAR )); then
                danger="a youma at $t, next to her at $x"
                return 0
            fi
        done
    done
}

# Whether the game is ending the level: its message box, or the title window back.
level_ending() { [ -n "$(boxes)" ] || [ -n "$(window_of "${TITLE_SIZE[@]}" normal)" ]; }

# After a reading that shows what a fault would: whether the game's rules may explain it instead
# (then danger says how). The defeat shows its box at once; the wait is for a slow screen.
explained() {
    [ -n "$danger" ] && return 0
    poll 3 level_ending || return 1
    danger="the level is ending: a youma caught her"
}

# Takes readings until the heroine row reads WANT (a pose:x list; X is where she should stand);
# returns 1 when a danger sign came first.
await_level_row() {
    local what=$1 want=$2 x=$3
    row_is() {
        read_level "$what" "$x"
        [ -n "$danger" ] || [ "$ROW" = "$want" ] && return 0
        level_ending && danger="the level is ending: a youma caught her"
    }
    poll "$WAIT" row_is || fail "$what: wanted the heroine row to show '$want', it shows '$ROW'"
    [ -z "$danger" ]
}

# Plays PART (a function that opens the level itself when no game runs, and returns 1 when a
# danger sign showed) until it is done clear of the game's rules, at most REPLAYS times.
play_level() {
    local what=$1 part=$2 attempt
    for (( attempt = 1; attempt <= REPLAYS; attempt++ )); do
        if (( attempt == 1 )); then step "$what"; else step "$what (played again, $attempt of $REPLAYS)"; fi
        danger=""
        "$part" && return 0
        note "$danger: the game's rules, not a fault; playing it again in a fresh game"
        stop_game
    done
    fail "$REPLAYS times the game's rules came near her before the checks of '$what' were done"
}
