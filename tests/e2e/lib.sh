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
rm -f "$OUT"/*.png "$OUT"/*.log

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
    poll "$1" eval '! game_running' || fail "the game is still running ${1} s after it should have ended"
    exit_status=0
    wait "$game_pid" || exit_status=$?
    game_pid=""
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
$(game_windows)"
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

# shot NAME takes a screenshot of the whole screen into $last_shot (the desktop's part).
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

# "pose:x" for the heroine and "vessa_shot:x" for the tiara, along her row.
HEROINE_POSES=(vessa_stand_r vessa_stand_l vessa_windup_r vessa_windup_l vessa_release_r vessa_release_l)
heroine_row() { sprites_in_row "$HEROINE_ROW" "${HEROINE_POSES[@]}" vessa_shot; }
# Filters of such a reading: the heroine's part, the tiara's part.
heroine_in() { tr ' ' '\n' | grep -v '^vessa_shot:' | paste -sd' ' || true; }
tiara_in() { tr ' ' '\n' | grep '^vessa_shot:' | paste -sd' ' || true; }

# Takes screenshots until the heroine row reads WANT (a pose:x list); sets ROW to the last reading.
await_row() {
    local what=$1 want=$2
    row_is() { shot "$what"; ROW=$(heroine_row); [ "$ROW" = "$want" ]; }
    poll "$WAIT" row_is || fail "$what: wanted the heroine row to show '$want', it shows '$ROW'"
}

