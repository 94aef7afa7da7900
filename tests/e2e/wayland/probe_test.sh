#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The probe itself, with weston's own demo client: a bad command gets an error line and leaves
# the compositor running; keys arrive with the modifiers held, clicks as button presses where
# the pointer is; activate moves the keyboard focus; close ends the client; a screenshot is the
# output's picture.
# Usage: probe_test.sh PICTURES OUT   (WL_PROBE and WL_PROBE_MODULE in the environment;
#        PICTURES may be empty: the colour check is then left out)
GAME="" PICTURES=$1 OUT=$2
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/desktop.sh"
command -v weston-eventdemo >/dev/null || { echo "SKIP: weston-eventdemo is not installed"; exit 77; }

start_weston 1024x768

step "bad commands are answered with an error, and the compositor goes on"
long=$(printf 'x%.0s' {1..1500})
while IFS='|' read -r command error; do
    # shellcheck disable=SC2086
    answer=$(probe $command 2>&1) && fail "'$command' was accepted: $answer"
    [[ $answer == *"$error"* ]] || fail "'$command' answered '$answer', wanted '$error'"
done <<EOF
bogus|unknown command
windows now|unknown command
key|unknown command
key nokey|unknown key
key down 768|unknown key
key up b|the key is not down
button up|the button is not down
move 10|unknown command
move ten 10|whole numbers
move 1024 0|not on the output
click 10 10 sideways|left, right or middle
button down sideways|left, right or middle
activate 999|no toplevel has that ID
close 1x|no toplevel has that ID
screenshot $OUT/no/such/folder/shot.png|No such file or directory
a b c d e f|too many words
$long|line too long
EOF
probe windows >/dev/null || fail "the probe stopped answering after the bad commands"
running "$weston_pid" || fail "weston ended after the bad commands"

step "a screenshot is the whole output, as shown"
shot start
[ "$(file -b "$last_shot" | cut -d, -f1-2)" = "PNG image data, ${SCREEN[0]} x ${SCREEN[1]}" ] ||
    fail "the screenshot is $(file -b "$last_shot")"
if [ -n "$PICTURES" ]; then
    # desktop-shell's client paints the background a moment after the start.
    GEOM="${SCREEN[0]}x${SCREEN[1]}+0+0"
    background() { shot background; [ "$(color_at 0 0)" = 336699 ] && [ "$(color_at $((SCREEN[0] - 1)) 0)" = 336699 ]; }
    poll "$WAIT" background || fail "the screenshots do not show weston.ini's background colour"
fi

# weston-eventdemo, logging what it receives, in a window titled NAME; sets DEMO_PID and DEMO_ID.
demo() {
    local name=$1
    stdbuf -oL weston-eventdemo --title="$name" --log-key --log-button --log-focus >"$OUT/$name.log" 2>&1 &
    DEMO_PID=$!
    demo_id() { DEMO_ID=$(probe windows | awk -v t="\"$name\"" '$5 == t { print $1 }'); [ -n "$DEMO_ID" ]; }
    poll "$WAIT" demo_id || fail "weston-eventdemo '$name' did not open a window"
}
logged() { poll "$WAIT" grep -q "$2" "$OUT/$1.log" || fail "$1 did not log '$2'; it logged:
$(cat "$OUT/$1.log")"; }

step "keys reach the focused client with the modifiers held"
demo demoA
demoA_pid=$DEMO_PID demoA_id=$DEMO_ID
poll "$WAIT" has_focus "$demoA_id" || fail "the new window has no keyboard focus: $(window_line "$demoA_id")"
send_key alt+b
# Linux's key 48 is B; the toolkit's modifier 2 is Alt.
logged demoA "key: 48, unicode: 98, state: pressed, modifiers: 0x2"
key_down b
answer=$(probe key down b 2>&1) && fail "a second key down of a held key was accepted"
[[ $answer == *"already down"* ]] || fail "a second key down of a held key answered '$answer'"
key_up b
logged demoA "key: 48, unicode: 98, state: released, modifiers: 0x0"

step "a click presses and releases the button where the pointer is"
read -r w h x y <<<"$(window_line "$demoA_id" | awk '{ gsub(/[x+]/, " ", $3); print $3 }')"
probe click $((x + w / 2)) $((y + h / 2)) right >/dev/null
logged demoA "button: 273, state: pressed"
logged demoA "button: 273, state: released"
probe button down >/dev/null
answer=$(probe click 1 1 2>&1) && fail "a click while the button is down was accepted"
[[ $answer == *"already down"* ]] || fail "a click while the button is down answered '$answer'"
probe button up >/dev/null

step "activate moves the keyboard focus back to the first window; close ends its client"
demo demoB
demoB_pid=$DEMO_PID demoB_id=$DEMO_ID
poll "$WAIT" has_focus "$demoB_id" || fail "the second window did not take the keyboard focus"
probe activate "$demoA_id" >/dev/null
poll "$WAIT" has_focus "$demoA_id" || fail "activate did not give the first window the keyboard focus"
! has_focus "$demoB_id" || fail "both windows have the keyboard focus"
probe close "$demoA_id" >/dev/null
demoA_ended() { ! running "$demoA_pid"; }
poll "$WAIT" demoA_ended || fail "weston-eventdemo did not end when its window was closed"
[ -z "$(window_line "$demoA_id")" ] || fail "the closed window is still listed"
kill "$demoB_pid"
finish
