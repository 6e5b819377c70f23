#!/usr/bin/env bash
# A run's life across a real window under Xvfb: a game played with xdotool
# and recorded (nmnm --record), then watched in the window (nmnm --watch,
# its state trace written as it plays). The watched trace must equal
# nmnm-replay's of the same file, byte for byte, through a pause and a step;
# Esc ends the watch.
# Writes the run to $NMNM_RUN_OUT when set (the Windows and page tests watch
# it too).
# Usage: run_file_test.sh path/to/nmnm path/to/nmnm-replay
set -uo pipefail
game=$1
replay=$2

label=run_file_test
source "$(dirname "$0")/x_session.sh"
need_screen xdotool
start_xvfb "1024x768x24"
run=$work/played.nmnm-run

# Play: start from the title, swing a few times in play, Esc.
"$game" --record "$run" 2>"$work/stderr" &
game_pid=$!
timeout 20 xdotool search --sync --name '^nmnm$' >/dev/null || fail "no window titled nmnm appeared"
sleep 2  # the fade
xdotool mousemove 500 400 click 1
sleep 3
for x in 300 420 540 660; do
  xdotool mousemove "$x" 330 mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
done
xdotool key Escape
expect_clean_end "after Esc while recording"
[ "$(head -n1 "$run")" = "#nmnm-run 1" ] || fail "the recording has no run file header: $(head -n1 "$run")"
call_lines=$(grep -c "^[0-9]" "$run")
[ "$call_lines" -ge 100 ] || fail "the recording holds only $call_lines call lines"

# What the run must give.
(cd "$(dirname "$game")" && "$replay" --script "$run" --trace "$work/replay.jsonl") 2>>"$work/stderr" ||
  fail "nmnm-replay refused the recording"
frames=$(wc -l <"$work/replay.jsonl")
grep -q '"gameState":3' "$work/replay.jsonl" || fail "the recorded game never reached play"

# Watch it; the last picture stays until Esc.
"$game" --watch "$run" --trace "$work/watch.jsonl" 2>"$work/stderr" &
game_pid=$!
lines() { { wc -l <"$work/watch.jsonl"; } 2>/dev/null || echo 0; }
# Space pauses: no frame for half a second; Right steps exactly one; Space goes on.
for _ in $(seq 200); do [ "$(lines)" -ge 60 ] && break; sleep 0.1; done
xdotool key space
sleep 0.3
paused=$(lines)
sleep 0.5
[ "$(lines)" -eq "$paused" ] || fail "Space did not pause the watch ($paused frames, then $(lines))"
xdotool key Right
sleep 0.3
[ "$(lines)" -eq $((paused + 1)) ] || fail "Right did not step one frame while paused ($paused, then $(lines))"
xdotool key space
for _ in $(seq 600); do
  [ "$(lines)" -ge "$frames" ] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
sleep 0.3
xdotool key Escape
expect_clean_end "after Esc while watching"
cmp -s "$work/replay.jsonl" "$work/watch.jsonl" ||
  fail "the watched trace ($(wc -l <"$work/watch.jsonl") frames) differs from nmnm-replay's ($frames frames): $(diff "$work/replay.jsonl" "$work/watch.jsonl" | head -n 3)"
[ -n "${NMNM_RUN_OUT:-}" ] && cp "$run" "$NMNM_RUN_OUT"
echo "run_file_test: $call_lines call lines recorded by hand; watched in the window with a pause and a step, $frames frames, the same trace as nmnm-replay"
