#!/usr/bin/env bash
# Plays the game in a real window under Xvfb, as a player would: the title
# with its messages shows, a click starts the announcement, a held press in
# play swings the swatter, Esc ends the game with exit code 0 and the cursor
# shown again, and the run is kept among the last ten, the oldest removed.
# Usage: play_test.sh path/to/nmnm path/to/screen_probe path/to/cursor_spy.so [DEPTH] [window-manager]
# DEPTH is the X screen's bits per pixel (24 unless given).
set -uo pipefail
game=$1
probe=$2
spy=$3
depth=${4:-24}
wm=${5:-}

label=play_test
source "$(dirname "$0")/x_session.sh"
need_screen xdotool xprop $wm
start_xvfb "1024x768x$depth"

[ -n "$wm" ] && start_window_manager "$wm"

# Ten runs kept from before: this run's file takes the oldest one's place.
runs="$XDG_DATA_HOME/nmnm/runs"
mkdir -p "$runs"
for n in 0 1 2 3 4 5 6 7 8 9; do echo "0 0 0 -" >"$runs/2000010$n-000000-stage1-kills0.nmnm-run"; done

# The spy must not trip the sanitizer's check that its runtime loads first.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
NMNM_CURSOR_LOG="$work/cursor.log" LD_PRELOAD="$spy" "$game" 2>"$work/stderr" &
game_pid=$!


# Title: its two lines once the fade has brought the colours up.
timeout 20 xdotool search --sync --name '^nmnm$' >/dev/null || fail "no window titled nmnm appeared"
xdotool mousemove 512 600
expect_title 30
# Without a graphics processor no OpenGL driver is loaded at all.
if ! ls /dev/dri/renderD* >/dev/null 2>&1; then
  gl=$(grep -E 'libGL|libEGL|_dri\.so|libgallium|libLLVM' "/proc/$game_pid/maps" | awk '{print $6}' | sort -u)
  [ -z "$gl" ] || fail "OpenGL is loaded without a graphics processor: $gl"
fi
expect_click_starts_announcement 5

# Announcement and start last about two seconds; then play, the pointer over
# the picture's (320, 200).
sleep 3.5
xdotool mousemove 512 320
sleep 0.3
expect_held_press_swings

# Esc ends the game with exit code 0 and the cursor shown again.
xdotool key Escape
expect_clean_end "after Esc"
[ "$(head -n1 "$work/cursor.log" 2>/dev/null)" = 0 ] || fail "the cursor was not hidden at start"
[ "$(tail -n1 "$work/cursor.log" 2>/dev/null)" = 1 ] || fail "the cursor was not shown again at the end"
[ "$(ls "$runs" | wc -l)" -eq 10 ] || fail "kept runs: $(ls "$runs" | wc -l) files, want 10"
[ -e "$runs/20000100-000000-stage1-kills0.nmnm-run" ] && fail "kept runs: the oldest was not removed"
kept=$(ls "$runs" | grep -v '^2000')
case "$kept" in [0-9]*-stage1-kills[0-9]*.nmnm-run) ;; *) fail "kept runs: this run is not named with its stage and kills: '$kept'" ;; esac
[ "$(head -n1 "$runs/$kept")" = "#nmnm-run 1" ] || fail "kept run: no header: $(head -n1 "$runs/$kept")"
case "$(tail -n1 "$runs/$kept")" in "#end stage 1 kills "*) ;; *) fail "kept run: no end line: $(tail -n1 "$runs/$kept")" ;; esac
echo "play_test (${depth}-bit${wm:+, $wm}): title $title, instruction $instruction, swing $swing pixels; exit 0, cursor shown"
