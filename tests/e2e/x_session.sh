# Sourced by the tests that run a program on a screen of their own: a scratch
# folder, an Xvfb with a display number it picks itself, an optional window
# manager, and all of it stopped again on exit. Set `label` before sourcing;
# the program under test goes in `game_pid`, its stderr in "$work/stderr".
work=$(mktemp -d)
# The game keeps its last runs in the data folder: the scratch one, not the user's.
export XDG_DATA_HOME="$work/data"
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

# need_screen TOOL...: the test is skipped (77) without Xvfb, failed without
# one of the tools.
need_screen() {
  command -v Xvfb >/dev/null || { echo "$label: Xvfb is not installed; skipping (scripts/setup.sh installs it)"; exit 77; }
  for tool in "$@"; do command -v "$tool" >/dev/null || fail "$tool is missing; run scripts/setup.sh"; done
}

# A Wine session outlives its programs by a few seconds, and one begun
# without a screen (a console test's) keeps none for the programs that
# follow: the Windows tests end their prefix's session (`runner`: wine-run.sh
# PREFIX ARCH) before and after. Nothing else runs meanwhile (RUN_SERIAL).
end_wine_session() {
  if [[ ${runner[0]} == *wine-run.sh ]]; then WINEPREFIX=${runner[1]} wineserver -k 2>/dev/null; fi
  return 0
}

# start_xvfb WIDTHxHEIGHTxDEPTH: a screen of that size, as DISPLAY (its
# number also in "$work/display", empty when none started).
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"
start_xvfb() {
  : >"$work/display"
  if xvfb_start "$1" "$work/xvfb.log"; then
    echo "${DISPLAY#:}" >"$work/display"
  else
    fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  fi
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

# The title once the fade has brought its colours up (within $1 seconds): the
# click-to-start line and the title, no instruction line yet. Sets title.
expect_title() {
  local start instruction
  start=$(wait_for_count "$1" 300 224 296 440 320 0 0 255 110) ||
    fail "no blue click-to-start line near y 300 (found $start pixels)"
  title=$(title_line)
  [ "$title" -ge 300 ] || fail "no outlined title text near y 170 ($title pixels)"
  instruction=$(instruction_line)
  [ "$instruction" -lt 150 ] || fail "the title screen already shows the instruction line ($instruction)"
}

# A click (a 1 ms press, released long before the next frame) starts the
# announcement within $1 seconds. Sets instruction.
expect_click_starts_announcement() {
  xdotool click 1
  instruction=$(wait_for_count "$1" 300 168 190 480 210 0 0 0 40) ||
    fail "the click did not start the announcement (instruction line: $instruction pixels)"
  [ "$(start_line)" -lt 50 ] || fail "the click-to-start line is still shown after the click"
}

# In play, with the pointer over the picture's (320, 200): without a press the
# swatter stands still (once no fly crosses it), a held press swings it.
# Sets swing.
expect_held_press_swings() {
  local quiet=no still watch_pid
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
}

# The game ends within ten seconds of $1 (what ended it), with exit code 0
# and nothing on stderr.
expect_clean_end() {
  local code
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the game did not end $1"
  wait "$game_pid"
  code=$?
  game_pid=""
  [ "$code" -eq 0 ] || fail "exit code $code $1"
  [ -s "$work/stderr" ] && fail "the game wrote to stderr"
  return 0
}
