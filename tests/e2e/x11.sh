# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The X server's part of the end-to-end scripts (see lib.sh): a private Xvfb, a window manager,
# the game's windows as X sees them, real X input (xdotool) and screenshots (e2e-probe).
for tool in Xvfb xdotool xprop xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
MINIMISED=iconic

# A private X server on a display number it picks itself, and a window manager: the stand-in
# (just enough to minimise), openbox (a real one, with frames), or none. A held key repeats
# after 500 ms, 25 times a second, as a desktop's keyboard does.
WM=standin
start_x() {
    local screen=$1
    WM=${2:-standin}
    : >"$OUT/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -ardelay 500 -arinterval 40 \
        3>"$OUT/display" >"$OUT/xvfb.log" 2>&1 &
    desktop_pids+=($!)
    poll 15 grep -q '[0-9]' "$OUT/display" || fail "Xvfb did not start (see $OUT/xvfb.log)"
    DISPLAY=":$(tr -dc 0-9 <"$OUT/display")"
    export DISPLAY
    case $WM in
    standin)
        "$PICTURES" wm >"$OUT/wm.log" 2>&1 &
        desktop_pids+=($!)
        poll "$WAIT" grep -q ready "$OUT/wm.log" || fail "the stand-in window manager did not start (see $OUT/wm.log)"
        ;;
    openbox)
        command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
        openbox --sm-disable >"$OUT/wm.log" 2>&1 &
        desktop_pids+=($!)
        wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
        poll "$WAIT" wm_running || fail "openbox did not start (see $OUT/wm.log)"
        ;;
    none) ;;
    esac
    note "X display $DISPLAY, screen $screen, window manager: $WM"
}

start_game() {
    # The real desktop platform, whatever the caller's environment says.
    env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_AUTO_SCREEN_SCALE_FACTOR \
        QT_QPA_PLATFORM=xcb "$@" "$GAME" >"$OUT/game.log" 2>&1 &
    game_pid=$!
}

# Lines "ID STATE WxH+X+Y KIND "TITLE"" of the game's top-level windows.
game_windows() { "$PICTURES" windows | grep -F '"Miravel Vozoda"' || true; }

# The game window of SIZE (game pixels) in STATE, as "ID GEOMETRY"; empty if there is none.
window_of() {
    local w=$(( $1 * SCALE )) h=$(( $2 * SCALE )) state=$3
    game_windows | awk -v size="${w}x${h}" -v state="$state" \
        '$2 == state && $4 == "window" && index($3, size "+") == 1 { print $1, $3 }'
}

# The open message boxes, one "ID GEOMETRY" a line.
boxes() { game_windows | awk '$2 == "normal" && $4 == "dialog" { print $1, $3 }'; }

# Keys go where the pointer is once nothing holds the focus; put both on the window. A window
# manager gives a window the keyboard by activating it.
point_at() {
    local win=$1 geom=$2 x=$3 y=$4
    # shellcheck disable=SC2046
    xdotool mousemove $(screen_point "$geom" "$x" "$y")
    if [ "$WM" = openbox ]; then
        xdotool windowactivate --sync "$win" 2>/dev/null || true
    else
        xdotool windowfocus "$win" 2>/dev/null || true
    fi
    focused() { [ "$(printf '0x%x' "$(xdotool getwindowfocus)")" = "$win" ]; }
    poll "$WAIT" focused || fail "window $win did not take the keyboard focus, $(xdotool getwindowfocus) has it"
}

click_at() {
    point_at "$@"
    xdotool click 1
}

# Keys as X names them (Return, Escape, Left, alt+b), to the window with the keyboard focus.
send_key() { xdotool key "$@"; }
key_down() { xdotool keydown "$1"; }
key_up() { xdotool keyup "$1"; }
# What a frame's close button does; what its minimise button does.
close_window() { "$PICTURES" close "$1"; }
minimise_window() { xdotool windowminimize "$1"; }
# What the window manager lets the player do with a window, one action a line (MINIMIZE, CLOSE).
allowed_actions() { "$PICTURES" describe "$1" | grep -v '^frame '; }

shot() { next_shot "$1"; "$PICTURES" shot "$last_shot"; }
# One process for the screenshot and its reading: a reading of a running level should be quick.
shot_and_find() { "$PICTURES" shot "$last_shot" "$GEOM" "$SCALE" "$@"; }

# Runs "$@" while e2e-probe records the window at GEOM: sets FRAMES, the folder of its frames.
record_while() {
    next_shot "$1"
    shift
    FRAMES=${last_shot%.png}.frames
    mkdir -p "$FRAMES"
    "$PICTURES" record "$FRAMES" "$GEOM" &
    recorder_pid=$!
    recording() { compgen -G "$FRAMES/*.png" >/dev/null; }
    poll "$WAIT" recording || fail "e2e-probe records no frames into $FRAMES"
    "$@"
    kill "$recorder_pid"
    wait "$recorder_pid" 2>/dev/null || true
    recorder_pid=""
}

screen_size() { xwininfo -root | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w "x" h }'; }
# The frame a window manager put around WIN as "LEFT RIGHT TOP BOTTOM"; zeros without one.
frame_of() { "$PICTURES" describe "$1" | awk '$1 == "frame" { print $2, $3, $4, $5; found = 1 } END { if (!found) print "0 0 0 0" }'; }

