# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# weston's part of the end-to-end scripts (see ../lib.sh): a private headless weston with the
# probe module (a seat the test drives, see probe_module.c), the game on it as a native Wayland
# client, its windows as the compositor sees them, input through the probe's seat and
# screenshots of the output. Needs WL_PROBE (the wl-probe command) and WL_PROBE_MODULE (the
# module) in the environment.
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
[ -x "${WL_PROBE:-}" ] && [ -f "${WL_PROBE_MODULE:-}" ] ||
    { echo "SKIP: the weston probe module was not built (no libweston-10)"; exit 77; }
# weston looks for a module named by a relative path in its own folder.
WL_PROBE_MODULE=$(realpath "$WL_PROBE_MODULE")
WESTON_CONFIG=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/weston.ini
# desktop-shell minimises a window by taking it out of the scene; the probe calls that minimized.
MINIMISED=minimized

# Qt 6.4 draws its own frame on weston ("bradient": a 30 px title bar with minimise, maximise
# and close, a 3 px border elsewhere) and counts it in the xdg window geometry, which is what
# the probe lists. The game's client area lies this far inside it.
FRAME_LEFT=3 FRAME_TOP=30 FRAME_RIGHT=3 FRAME_BOTTOM=3

probe() { "$WL_PROBE" "$@"; }
running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }

# A private headless weston (software rendering) with desktop-shell and the probe's seat. Its
# sockets live in a fresh runtime folder: short, as a socket's path holds 107 bytes at most.
wl_runtime=""
start_weston() {
    SCREEN=(${1%x*} ${1#*x})
    wl_runtime=$(mktemp -d /tmp/miravel-wl.XXXXXX)
    export XDG_RUNTIME_DIR=$wl_runtime WAYLAND_DISPLAY=wayland-e2e WL_PROBE_SOCKET=$wl_runtime/probe
    weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
        --width="${SCREEN[0]}" --height="${SCREEN[1]}" --config="$WESTON_CONFIG" \
        --modules="$WL_PROBE_MODULE" --log="$OUT/weston.log" >"$OUT/weston.out" 2>&1 &
    weston_pid=$!
    desktop_pids+=("$weston_pid")
    probe_answers() { running "$weston_pid" || fail "weston ended (see $OUT/weston.log)"; probe windows >/dev/null 2>&1; }
    poll "$WAIT" probe_answers || fail "the probe in weston does not answer (see $OUT/weston.log)"
    park_pointer
    note "weston $(weston --version | cut -d' ' -f2) headless ${SCREEN[0]}x${SCREEN[1]}, socket $WAYLAND_DISPLAY"
}
desktop_cleanup() { [ -z "$wl_runtime" ] || rm -rf "$wl_runtime"; }

start_game() {
    # Native Wayland, whatever the caller's environment says; no X to fall back on.
    env -u DISPLAY -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_AUTO_SCREEN_SCALE_FACTOR \
        -u QT_WAYLAND_DISABLE_WINDOWDECORATION QT_QPA_PLATFORM=wayland "$@" "$GAME" >"$OUT/game.log" 2>&1 &
    game_pid=$!
}

# Lines "ID STATE WxH+X+Y KIND "TITLE" APPID FOCUS" of the game's toplevels, frames included.
game_windows() { probe windows | grep -F '"Miravel Vozoda"' || true; }

# Lines "ID STATE GEOMETRY KIND" of the game's toplevels, GEOMETRY their client areas.
client_areas() {
    game_windows | awk -v l=$FRAME_LEFT -v t=$FRAME_TOP -v r=$FRAME_RIGHT -v b=$FRAME_BOTTOM '{
        split($3, g, /[x+]/)
        printf "%s %s %dx%d+%d+%d %s\n", $1, $2, g[1] - l - r, g[2] - t - b, g[3] + l, g[4] + t, $4
    }'
}

# The game window whose client area is W x H game pixels, in STATE, as "ID GEOMETRY".
window_of() {
    client_areas | awk -v size="$1x$2" -v state="$3" \
        '$2 == state && $4 == "window" && index($3, size "+") == 1 { print $1, $3 }'
}

# The open message boxes, one "ID GEOMETRY" a line.
boxes() { client_areas | awk '$2 == "normal" && $4 == "dialog" { print $1, $3 }'; }

window_line() { probe windows | awk -v id="$1" '$1 == id'; }
has_focus() { [ "$(window_line "$1" | awk '{ print $NF }')" = focused ]; }

# The pointer rests in the bottom-right corner, which desktop-shell never gives a window: its
# picture stays out of the screenshots' windows.
park_pointer() { probe move $(( SCREEN[0] - 1 )) $(( SCREEN[1] - 1 )) >/dev/null; }

# Keys go to the window with the keyboard focus: desktop-shell gives it to a new window and to a
# clicked one.
point_at() {
    local win=$1
    has_focus "$win" && return 0
    probe activate "$win" >/dev/null || fail "window $win cannot take the focus: $(window_line "$win")"
    poll "$WAIT" has_focus "$win" || fail "window $win did not take the keyboard focus: $(window_line "$win")"
}

click_at() {
    local win=$1 geom=$2 x=$3 y=$4
    # shellcheck disable=SC2046
    probe click $(screen_point "$geom" "$x" "$y") >/dev/null
    park_pointer
}

# Keys as X names them (Return, Escape, Left, alt+b), in Linux's names for the probe.
linux_key() {
    case $1 in
    Return) echo enter ;;
    alt) echo leftalt ;;
    ctrl) echo leftctrl ;;
    *) echo "${1,,}" ;;
    esac
}
send_key() {
    local chord=$1 keys k
    IFS=+ read -r -a keys <<<"$chord"
    for k in "${keys[@]:0:${#keys[@]}-1}"; do probe key down "$(linux_key "$k")" >/dev/null; done
    probe key "$(linux_key "${keys[-1]}")" >/dev/null
    for k in "${keys[@]:0:${#keys[@]}-1}"; do probe key up "$(linux_key "$k")" >/dev/null; done
}
key_down() { probe key down "$(linux_key "$1")" >/dev/null; }
key_up() { probe key up "$(linux_key "$1")" >/dev/null; }
# What a frame's close button does.
close_window() { probe close "$1" >/dev/null; }
# A click on the minimise button of Qt's frame: 18 pixels square, from 72 to 54 pixels in from
# the frame's right edge, in the middle of the 30 pixel title bar.
minimise_window() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$(window_line "$1" | awk '{ print $3 }')"
    probe click $(( x + w - 63 )) $(( y + 15 )) >/dev/null
    park_pointer
}

shot() { next_shot "$1"; probe screenshot "$last_shot" >/dev/null; }
shot_and_find() { probe screenshot "$last_shot" >/dev/null && sprites_in_row "$@"; }

screen_size() { echo "${SCREEN[0]}x${SCREEN[1]}"; }
# Qt's own frame around the client area: "LEFT RIGHT TOP BOTTOM".
frame_of() { echo "$FRAME_LEFT $FRAME_RIGHT $FRAME_TOP $FRAME_BOTTOM"; }
