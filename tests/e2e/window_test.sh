#!/usr/bin/env bash
# The window as a player handles it, in one X session on a wide screen (black
# bars left and right): full screen over the whole screen, Alt+Enter to a
# centred window and back, the swatter under the pointer at the picture's four
# corners, the pointer hidden only over the picture and shown again when the
# game loses the focus, and the window destroyed from outside ending the game
# with code 0 and the pointer shown. Without a display the game says which
# one it tried, in one line.
# Usage: window_test.sh path/to/nmnm path/to/screen_probe path/to/cursor_spy.so [window-manager]
set -uo pipefail
game=$1
probe=$2
spy=$3
wm=${4:-}
label="window_test${wm:+ ($wm)}"
source "$(dirname "$0")/x_session.sh"
need_screen xdotool xwininfo xprop $wm

# No display: one line naming what was tried, and no library's own complaint.
if [ -z "$wm" ]; then
  env -u XDG_RUNTIME_DIR -u WAYLAND_DISPLAY DISPLAY=:4711 "$game" 2>"$work/nodisplay" && fail "the game ran without an X server"
  [ "$(wc -l <"$work/nodisplay")" -eq 1 ] || fail "not one line without an X server: $(cat "$work/nodisplay")"
  grep -q '":4711"' "$work/nodisplay" || fail "the message does not name the display :4711: $(cat "$work/nodisplay")"
  env -u XDG_RUNTIME_DIR -u WAYLAND_DISPLAY -u DISPLAY "$game" 2>"$work/nodisplay" && fail "the game ran with no display set"
  [ "$(wc -l <"$work/nodisplay")" -eq 1 ] || fail "not one line with no display set: $(cat "$work/nodisplay")"
  grep -q 'DISPLAY' "$work/nodisplay" || fail "the message does not name DISPLAY: $(cat "$work/nodisplay")"
fi

width=1280
height=800
start_xvfb "${width}x${height}x24"

[ -n "$wm" ] && start_window_manager "$wm"

export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
NMNM_CURSOR_LOG="$work/cursor.log" LD_PRELOAD="$spy" "$game" 2>"$work/stderr" &
game_pid=$!

window=$(timeout 20 xdotool search --sync --name '^nmnm$' | head -n1) || fail "no window titled nmnm appeared"
# Screen point of a picture pixel.
at() { "$probe" at "$1" "$2"; }
move_to_picture() { xdotool mousemove $(at "$1" "$2"); }
move_to_picture 320 400
for _ in $(seq 300); do
  [ "$("$probe" count 224 296 440 320 0 0 255 110)" -ge 300 ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start"
  sleep 0.1
done

# "X Y WIDTH HEIGHT" of the game's window as the X server places it.
geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print x, y, w, h}'
}
wait_for_geometry() {
  local want=$1 got=""
  for _ in $(seq 50); do
    got=$(geometry)
    [ "$got" = "$want" ] && { echo "$got"; return 0; }
    sleep 0.1
  done
  echo "$got"
  return 1
}
toggle() { xdotool key --window "$window" alt+Return; }

full="0 0 $width $height"
got=$(wait_for_geometry "$full") || fail "full screen at start is '$got', not '$full'"

# Hidden over the picture, shown over the black bars.
move_to_picture 320 240
sleep 0.3
[ "$("$probe" cursor)" = 0 ] || fail "the pointer shows over the picture while playing"
xdotool mousemove 20 400
sleep 0.3
[ "$("$probe" cursor)" = 1 ] || fail "the pointer is hidden over the black bar"

# Window: the largest whole multiple of 640 x 480 that fits (here 1), centred.
toggle
if [ -z "$wm" ]; then
  windowed="320 160 640 480"
  got=$(wait_for_geometry "$windowed") || fail "window mode is '$got', not '$windowed'"
else
  # A window manager adds its frame and may nudge the window to fit it.
  sleep 1
  read -r x y w h <<<"$(geometry)"
  [ "$w $h" = "640 480" ] || fail "window mode is ${w}x$h, not 640x480"
  [ "$x" -ge 280 ] && [ "$x" -le 360 ] && [ "$y" -ge 120 ] && [ "$y" -le 200 ] ||
    fail "the window at ($x, $y) is not near the centred (320, 160)"
fi
# Not confined in a window: the pointer can leave it.
xdotool mousemove 5 5
sleep 0.2
[ "$(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')" = "5 5" ] ||
  fail "the pointer is held inside the window in window mode"

toggle
got=$(wait_for_geometry "$full") || fail "full screen after a round trip is '$got', not '$full'"

# The swatter is drawn under the pointer at each corner of the picture: the
# corner changes when the pointer comes to it from the middle. Sprites stop at
# the bottom of the play field (row 447); the status bar below has none.
corners=""
for corner in "0 0" "639 0" "0 447" "639 447"; do
  read -r cx cy <<<"$corner"
  left=$((cx < 320 ? 0 : 624)); top=$((cy < 240 ? 0 : 432))
  move_to_picture 320 240
  sleep 0.2
  "$probe" watch $left $top $((left + 16)) $((top + 16)) 600 >"$work/corner" &
  watch_pid=$!
  sleep 0.1
  move_to_picture "$cx" "$cy"
  wait "$watch_pid"
  changed=$(cat "$work/corner")
  [ "$changed" -ge 60 ] || fail "no swatter at picture corner ($cx, $cy) after the round trip ($changed pixels changed)"
  corners="$corners $changed"
done

# Losing the focus pauses the game and shows the pointer over it.
move_to_picture 320 240
sleep 0.2
# Another program's window in the top-left corner, away from the pointer, takes the focus.
xmessage -geometry +0+0 -timeout 30 nmnm-focus-thief >/dev/null 2>&1 &
thief_pid=$!
thief=$(timeout 10 xdotool search --sync --name '^xmessage$' | head -n1) || fail "the focus-taking window did not appear"
if [ -n "$wm" ]; then xdotool windowactivate "$thief"; else xdotool windowfocus "$thief"; fi
shown=0
for _ in $(seq 30); do
  shown=$("$probe" cursor)
  [ "$shown" = 1 ] && break
  sleep 0.1
done
[ "$shown" = 1 ] || fail "the pointer stays hidden after the game lost the focus"
kill "$thief_pid" 2>/dev/null

# Destroyed from outside: the game ends as after a close request.
xdotool windowclose "$window"
expect_clean_end "after its window was destroyed"
[ "$(tail -n1 "$work/cursor.log" 2>/dev/null)" = 1 ] || fail "the cursor was not shown again at the end"
echo "$label: full screen, window and back, corners ($corners changed), focus and outside close all right"
