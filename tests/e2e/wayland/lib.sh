# Shared by the Wayland end-to-end scripts: a private headless weston with the probe module (a
# seat the test drives, see probe_module.c), the game on it as a native Wayland client, and what
# a player sees in screenshots. Sourced with GAME, PROBE (wl-probe) and OUT set; the environment
# gives WL_PROBE_MODULE (the module) and E2E_PICTURES (the X tests' e2e-probe, which reads
# screenshots; without it the picture checks are left out).
set -euo pipefail

command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
[ -n "$PROBE" ] && [ -x "$PROBE" ] && [ -f "${WL_PROBE_MODULE:-}" ] ||
    { echo "SKIP: the weston probe module was not built (no libweston-10)"; exit 77; }
PICTURES=${E2E_PICTURES:-}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ -z "$PICTURES" ] || [ -x "$PICTURES" ] || PICTURES=""

mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/*.log

# The game's windows, in game pixels.
TITLE_SIZE=(407 453)
SELEC_SIZE=(316 223)
EASY_SIZE=(497 197)
BEGIN_RECT=(176 384 113 41)
HEROINE_ROW=128
HEROINE_START=256
STEP=8
LIGHT_YELLOW=ffffc0

# Qt 6.4 draws its own frame on weston ("bradient": a 30 px title bar with minimise, maximise
# and close, a 3 px border elsewhere) and counts it in the xdg window geometry, which is what
# the probe lists. The game's client area lies this far inside it.
FRAME_LEFT=3 FRAME_TOP=30 FRAME_RIGHT=3 FRAME_BOTTOM=3

SCREEN=(1024 768)
shot_count=0
last_shot=""
weston_pid=""
game_pid=""
runtime=""

started_ms=${EPOCHREALTIME/./}
started_ms=$((started_ms / 1000))
now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }
step() { printf '== %5.1f s  %s\n' "$(( ($(now_ms) - started_ms) / 100 ))e-1" "$*"; }
note() { echo "   $*"; }
fail() {
    echo "FAIL: $*" >&2
    [ -z "$last_shot" ] || echo "      last screenshot: $last_shot" >&2
    echo "      logs and screenshots: $OUT" >&2
    exit 1
}
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

running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }

cleanup() {
    # Only what this script started, by its id.
    local pid
    for pid in "$game_pid" "$weston_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    [ -z "$runtime" ] || rm -rf "$runtime"
}
trap cleanup EXIT

# ---- the compositor -----------------------------------------------------------------------------

probe() { "$PROBE" "$@"; }

# A private headless weston (software rendering) with desktop-shell and the probe's seat. Its
# sockets live in a fresh runtime folder: short, as a socket's path holds 107 bytes at most.
start_weston() {
    runtime=$(mktemp -d /tmp/miravel-wl.XXXXXX)
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-e2e WL_PROBE_SOCKET=$runtime/probe
    weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
        --width="${SCREEN[0]}" --height="${SCREEN[1]}" --config="$HERE/weston.ini" \
        --modules="$WL_PROBE_MODULE" --log="$OUT/weston.log" >"$OUT/weston.out" 2>&1 &
    weston_pid=$!
    probe_answers() { running "$weston_pid" || fail "weston ended (see $OUT/weston.log)"; probe windows >/dev/null 2>&1; }
    poll 15 probe_answers || fail "the probe in weston does not answer (see $OUT/weston.log)"
    park_pointer
    note "weston $(weston --version | cut -d' ' -f2) headless ${SCREEN[0]}x${SCREEN[1]}, socket $WAYLAND_DISPLAY"
}

start_game() {
    # Native Wayland, whatever the caller's environment says; no X to fall back on.
    env -u DISPLAY -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_AUTO_SCREEN_SCALE_FACTOR \
        -u QT_WAYLAND_DISABLE_WINDOWDECORATION QT_QPA_PLATFORM=wayland "$@" "$GAME" >"$OUT/game.log" 2>&1 &
    game_pid=$!
}

game_running() { running "$game_pid"; }

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

# Lines "ID STATE WxH+X+Y KIND "TITLE" APPID FOCUS" of the game's toplevels, frames included.
game_windows() { probe windows | grep -F '"Miravel Vozoda"' || true; }

# The game window whose client area is W x H game pixels, in STATE (normal|minimized|unmapped),
# as "ID GEOMETRY" with GEOMETRY its client area on the screen; empty if there is none.
window_of() {
    local w=$(( $1 + FRAME_LEFT + FRAME_RIGHT )) h=$(( $2 + FRAME_TOP + FRAME_BOTTOM )) state=$3
    game_windows | awk -v size="${w}x${h}" -v state="$state" -v l=$FRAME_LEFT -v t=$FRAME_TOP -v cw="$1" -v ch="$2" '
        $2 == state && $4 == "window" && index($3, size "+") == 1 {
            split(substr($3, length(size) + 2), at, "+")
            printf "%s %dx%d+%d+%d\n", $1, cw, ch, at[1] + l, at[2] + t
        }'
}

# Sets WIN and GEOM to the window of that client size in STATE once there is one.
await_window() {
    local what=$1 w=$2 h=$3 state=${4:-normal} found=""
    found_window() { found=$(window_of "$w" "$h" "$state"); [ -n "$found" ]; }
    poll 15 found_window || fail "no $state $what window with a ${w}x${h} client area; windows now:
$(game_windows)"
    read -r WIN GEOM <<<"$found"
}

window_gone() { [ -z "$(window_of "$1" "$2" normal)$(window_of "$1" "$2" minimized)" ]; }

# A window's line by ID; its state; whether it has the keyboard focus.
window_line() { probe windows | awk -v id="$1" '$1 == id'; }
state_of() { window_line "$1" | awk '{ print $2 }'; }
has_focus() { [ "$(window_line "$1" | awk '{ print $NF }')" = focused ]; }

# The screen point of game pixel (X, Y) of the client area at GEOM.
screen_point() {
    local geom=$1 x=$2 y=$3
    local ox=${geom#*+}
    local oy=${ox#*+}
    ox=${ox%+*}
    echo "$(( ox + x )) $(( oy + y ))"
}

# The pointer rests in the bottom-right corner, which desktop-shell never gives a window: its
# picture stays out of the screenshots' windows.
park_pointer() { probe move $(( SCREEN[0] - 1 )) $(( SCREEN[1] - 1 )) >/dev/null; }

# Keys go to the window with the keyboard focus: desktop-shell gives it to a new window and to a
# clicked one.
focus_window() {
    has_focus "$1" && return 0
    probe activate "$1" >/dev/null || fail "window $1 cannot take the focus: $(window_line "$1")"
    poll 5 has_focus "$1" || fail "window $1 did not take the keyboard focus: $(window_line "$1")"
}

click_at() {
    local win=$1 geom=$2 x=$3 y=$4
    # shellcheck disable=SC2046
    probe click $(screen_point "$geom" "$x" "$y") >/dev/null
    park_pointer
}

# Key names as Linux names them: enter, escape, left, leftalt, b...
key() { probe key "$1" >/dev/null; }
key_down() { probe key down "$1" >/dev/null; }
key_up() { probe key up "$1" >/dev/null; }
# A chord: "leftalt b" holds Alt while B is pressed.
chord() {
    local held=("${@:1:$#-1}") k
    for k in "${held[@]}"; do key_down "$k"; done
    key "${!#}"
    for k in "${held[@]}"; do key_up "$k"; done
}

# ---- screenshots and what they show -------------------------------------------------------------

shot() {
    shot_count=$((shot_count + 1))
    last_shot=$(printf '%s/%02d-%s.png' "$OUT" "$shot_count" "$1")
    probe screenshot "$last_shot" >/dev/null
}

# In the last screenshot, through the client area at GEOM (needs E2E_PICTURES):
shows_picture() { "$PICTURES" match "$last_shot" "$GEOM" 1 "$@" >/dev/null; }
picture_report() { "$PICTURES" match "$last_shot" "$GEOM" 1 "$@" || true; }
color_at() { "$PICTURES" color "$last_shot" "$GEOM" 1 "$1" "$2"; }

# The title picture shows exactly where Begin stands when Begin is hidden.
begin_shown() { ! shows_picture title "${BEGIN_RECT[@]}" "${BEGIN_RECT[0]}" "${BEGIN_RECT[1]}"; }
# The slid-in title stands 6 pixels from the left; the picture shows left of it.
title_slid_in() {
    shows_picture title 0 0 6 40 0 0 && [ "$(color_at 6 2)" = $LIGHT_YELLOW ] &&
        [ "$(color_at 398 2)" = $LIGHT_YELLOW ] && [ "$(color_at 399 2)" != $LIGHT_YELLOW ]
}

HEROINE_POSES=(vessa_stand_r vessa_stand_l vessa_windup_r vessa_windup_l vessa_release_r vessa_release_l)
heroine_row() { "$PICTURES" find "$last_shot" "$GEOM" 1 "$HEROINE_ROW" "${HEROINE_POSES[@]}"; }

# Takes screenshots until the heroine row reads WANT (a pose:x list); sets ROW to the last reading.
await_row() {
    local what=$1 want=$2
    row_is() { shot "$what"; ROW=$(heroine_row); [ "$ROW" = "$want" ]; }
    poll 5 row_is || fail "$what: wanted the heroine row to show '$want', it shows '$ROW'"
}
