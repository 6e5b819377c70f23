# Sourced by the tests that run a program on a screen of their own: a scratch
# folder, an Xvfb with a display number it picks itself, an optional window
# manager, and all of it stopped again on exit. Set `label` before sourcing;
# the program under test goes in `game_pid`, its stderr in "$work/stderr".
work=$(mktemp -d)
game_pid=""
xvfb_pid=""
wm_pid=""
x_session_end() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap x_session_end EXIT
fail() {
  echo "$label: FAIL: $*"
  [ -s "$work/stderr" ] && { echo "--- game stderr"; cat "$work/stderr"; }
  exit 1
}

# start_xvfb WIDTHxHEIGHTxDEPTH: a screen of that size, as DISPLAY.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n1 "$work/display")"
  unset WAYLAND_DISPLAY
}

# start_window_manager NAME: runs it and waits until it has taken the screen.
start_window_manager() {
  # A busy machine can take a while; one that died is started again once.
  for _ in 1 2; do
    "$1" >"$work/wm.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 300); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
      kill -0 "$wm_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$wm_pid" 2>/dev/null && break  # alive but not ready: no second one
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    fail "$1 did not start: $(cat "$work/wm.log")"
}

# What the screen probe (in `probe`) sees of the picture: pixels of about a
# colour in a rectangle of the 640 x 480 picture, wherever it is shown.
count() { "$probe" count "$@"; }
# Waits up to $1 seconds for `count` of the other arguments to reach $2.
wait_for_count() {
  local seconds=$1 least=$2
  shift 2
  local n=0
  for _ in $(seq $((seconds * 10))); do
    n=$(count "$@") || n=0
    [ "$n" -ge "$least" ] && { echo "$n"; return 0; }
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "$n"
  return 1
}

# The background is light, so text shows by its dark outline; the
# click-to-start line by its blue. Flies are dark too, but small.
title_line() { count 176 166 464 190 0 0 0 40; }
instruction_line() { count 168 190 480 210 0 0 0 40; }
start_line() { count 224 296 440 320 0 0 255 110; }
