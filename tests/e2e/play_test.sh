#!/usr/bin/env bash
# Plays the game in a real window under Xvfb, as a player would: the title
# with its messages shows, a click starts the announcement, a held press in
# play swings the swatter, Esc ends the game with exit code 0 and the cursor
# shown again.
# Usage: play_test.sh path/to/nmnm path/to/screen_probe path/to/cursor_spy.so [DEPTH] [window-manager]
# DEPTH is the X screen's bits per pixel (24 unless given).
set -uo pipefail
game=$1
probe=$2
spy=$3
depth=${4:-24}
wm=${5:-}

if ! command -v Xvfb >/dev/null; then
  echo "play_test: Xvfb is not installed; skipping (scripts/setup.sh installs it)"
  exit 77
fi
for tool in xdotool xprop $wm; do
  command -v "$tool" >/dev/null || { echo "play_test: $tool is missing; run scripts/setup.sh"; exit 1; }
done

label=play_test
source "$(dirname "$0")/x_session.sh"
start_xvfb "1024x768x$depth"

[ -n "$wm" ] && start_window_manager "$wm"

# The spy must not trip the sanitizer's check that its runtime loads first.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
NMNM_CURSOR_LOG="$work/cursor.log" LD_PRELOAD="$spy" "$game" 2>"$work/stderr" &
game_pid=$!


# Title: its two lines once the fade has brought the colours up.
timeout 20 xdotool search --sync --name '^nmnm$' >/dev/null || fail "no window titled nmnm appeared"
xdotool mousemove 512 600
start=$(wait_for_count 30 300 224 296 440 320 0 0 255 110) ||
  fail "no blue click-to-start line near y 300 (found $start pixels)"
# Without a graphics processor no OpenGL driver is loaded at all.
if ! ls /dev/dri/renderD* >/dev/null 2>&1; then
  gl=$(grep -E 'libGL|libEGL|_dri\.so|libgallium|libLLVM' "/proc/$game_pid/maps" | awk '{print $6}' | sort -u)
  [ -z "$gl" ] || fail "OpenGL is loaded without a graphics processor: $gl"
fi
title=$(title_line)
[ "$title" -ge 300 ] || fail "no outlined title text near y 170 ($title pixels)"
instruction=$(instruction_line)
[ "$instruction" -lt 150 ] || fail "the title screen already shows the instruction line ($instruction)"

# A click (a 1 ms press, released long before the next frame) starts the announcement.
xdotool click 1
instruction=$(wait_for_count 5 300 168 190 480 210 0 0 0 40) ||
  fail "the click did not start the announcement (instruction line: $instruction pixels)"
[ "$(start_line)" -lt 50 ] || fail "the click-to-start line is still shown after the click"

# Announcement and start last about two seconds; then play.
sleep 3.5
xdotool mousemove 512 320
sleep 0.3
# Without a press the swatter stands still: find a quiet moment with no fly
# crossing it, then hold the button and watch it swing.
quiet=no
for _ in $(seq 10); do
  still=$("$probe" watch 296 176 344 224 300)
  [ "$still" -lt 10 ] && { quiet=yes; break; }
done
[ "$quiet" = yes ] || fail "the swatter never stood still for 300 ms"
"$probe" watch 296 176 344 224 700 >"$work/swing" &
watch_pid=$!
sleep 0.1
xdotool mousedown 1
sleep 0.4
xdotool mouseup 1
wait "$watch_pid"
swing=$(cat "$work/swing")
[ "$swing" -ge 100 ] || fail "a held press did not swing the swatter ($swing pixels changed)"

# Esc ends the game with exit code 0 and the cursor shown again.
xdotool key Escape
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end on Esc"
wait "$game_pid"
code=$?
game_pid=""
[ "$code" -eq 0 ] || fail "exit code $code after Esc"
[ "$(head -n1 "$work/cursor.log" 2>/dev/null)" = 0 ] || fail "the cursor was not hidden at start"
[ "$(tail -n1 "$work/cursor.log" 2>/dev/null)" = 1 ] || fail "the cursor was not shown again at the end"
[ -s "$work/stderr" ] && fail "the game wrote to stderr"
echo "play_test (${depth}-bit${wm:+, $wm}): title $title, instruction $instruction, swing $swing pixels; exit 0, cursor shown"
