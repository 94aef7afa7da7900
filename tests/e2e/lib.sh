# Shared by the end-to-end scripts: a private X server, the game, screenshots and what a player
# sees in them. Sourced with GAME, PROBE and OUT set; OUT receives the screenshots and logs.
# Every wait is for something to be seen, with a limit generous enough for a busy machine: a
# check that holds returns at once, so a long limit costs nothing when the game is right.
set -euo pipefail
WAIT=${E2E_WAIT:-30}

for tool in Xvfb xdotool import xprop xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

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
xvfb_pid=""
wm_pid=""
game_pid=""

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
    local pid
    for pid in "$game_pid" "$wm_pid" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

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
    xvfb_pid=$!
    poll 15 grep -q '[0-9]' "$OUT/display" || fail "Xvfb did not start (see $OUT/xvfb.log)"
    DISPLAY=":$(tr -dc 0-9 <"$OUT/display")"
    export DISPLAY
    case $WM in
    standin)
        "$PROBE" wm >"$OUT/wm.log" 2>&1 &
        wm_pid=$!
        poll "$WAIT" grep -q ready "$OUT/wm.log" || fail "the stand-in window manager did not start (see $OUT/wm.log)"
        ;;
    openbox)
        command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
        openbox --sm-disable >"$OUT/wm.log" 2>&1 &
        wm_pid=$!
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

# Lines "ID STATE WxH+X+Y KIND "TITLE"" of the game's top-level windows.
game_windows() { "$PROBE" windows | grep -F '"Miravel Vozoda"' || true; }

# The game window of SIZE (game pixels) in STATE, as "ID GEOMETRY"; empty if there is none.
window_of() {
    local w=$(( $1 * SCALE )) h=$(( $2 * SCALE )) state=$3
    game_windows | awk -v size="${w}x${h}" -v state="$state" \
        '$2 == state && $4 == "window" && index($3, size "+") == 1 { print $1, $3 }'
}

# Sets WIN and GEOM to the window of SIZE in STATE once there is one.
await_window() {
    local what=$1 w=$2 h=$3 state=${4:-normal} found=""
    found_window() { found=$(window_of "$w" "$h" "$state"); [ -n "$found" ]; }
    poll "$WAIT" found_window || fail "no $state $what window of $((w * SCALE))x$((h * SCALE)); windows now:
$(game_windows)"
    read -r WIN GEOM <<<"$found"
}

window_gone() { [ -z "$(window_of "$1" "$2" normal)$(window_of "$1" "$2" iconic)" ]; }

# The open message boxes, one "ID GEOMETRY" a line.
boxes() { game_windows | awk '$2 == "normal" && $4 == "dialog" { print $1, $3 }'; }

# A window's screen position plus game pixels (X, Y), as "x y" for xdotool.
screen_point() {
    local geom=$1 x=$2 y=$3
    local ox=${geom#*+}
    local oy=${ox#*+}
    ox=${ox%+*}
    echo "$(( ox + x * SCALE )) $(( oy + y * SCALE ))"
}

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
close_window() { "$PROBE" close "$1"; }
minimise_window() { xdotool windowminimize "$1"; }
# What the window manager lets the player do with a window, one action a line (MINIMIZE, CLOSE).
allowed_actions() { "$PROBE" describe "$1" | grep -v '^frame '; }

# ---- screenshots and what they show -------------------------------------------------------------

shot() {
    shot_count=$((shot_count + 1))
    last_shot=$(printf '%s/%02d-%s.png' "$OUT" "$shot_count" "$1")
    import -window root -define png:compression-level=1 "$last_shot"
}

# In the last screenshot, through the window at GEOM:
shows_picture() { "$PROBE" match "$last_shot" "$GEOM" "$SCALE" "$@" >/dev/null; }
picture_report() { "$PROBE" match "$last_shot" "$GEOM" "$SCALE" "$@" || true; }
color_at() { "$PROBE" color "$last_shot" "$GEOM" "$SCALE" "$1" "$2"; }
sprites_in_row() { "$PROBE" find "$last_shot" "$GEOM" "$SCALE" "$@"; }

# The title picture shows exactly where Begin stands when Begin is hidden.
begin_shown() { ! shows_picture title "${BEGIN_RECT[@]}" "${BEGIN_RECT[0]}" "${BEGIN_RECT[1]}"; }
# The slid-in title stands 6 pixels from the left; the picture shows left of it.
title_slid_in() {
    shows_picture title 0 0 6 40 0 0 && [ "$(color_at 6 2)" = $LIGHT_YELLOW ] &&
        [ "$(color_at 398 2)" = $LIGHT_YELLOW ] && [ "$(color_at 399 2)" != $LIGHT_YELLOW ]
}
# Pure magenta pixels of the title's letters: about 480 at scale 1, more at 2, none if not drawn.
title_letter_pixels() { "$PROBE" count "$last_shot" "$GEOM" "$SCALE" 6 0 393 41 ff00ff; }
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

# ---- where windows lie ---------------------------------------------------------------------------

screen_size() { xwininfo -root | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w "x" h }'; }

# The frame a window manager put around WIN as "LEFT RIGHT TOP BOTTOM"; zeros without one.
frame_of() { "$PROBE" describe "$1" | awk '$1 == "frame" { print $2, $3, $4, $5; found = 1 } END { if (!found) print "0 0 0 0" }'; }

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
