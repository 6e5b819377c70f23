#!/usr/bin/env bash
# Measures the game's CPU use over a stretch of play under Xvfb at 1024 x 768:
# starts it, clicks through the title, then reads the process's user and system
# time from /proc before and after. A benchmark, not a test.
# Usage: measure_cpu.sh path/to/nmnm [seconds]
set -euo pipefail
game=$1
seconds=${2:-10}
command -v Xvfb >/dev/null || { echo "measure_cpu: Xvfb is missing (scripts/setup.sh installs it)" >&2; exit 1; }

numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
xvfb=$!
trap 'kill $game_pid 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -f "$numfile"' EXIT
for _ in $(seq 50); do [ -s "$numfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$numfile")"

"$game" &
game_pid=$!
sleep 2
xdotool mousemove 512 384 click 1
sleep 3

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
# Keep the mouse moving and swinging now and then, as a player would.
end=$(( $(date +%s) + seconds ))
x=200
while [ "$(date +%s)" -lt "$end" ]; do
  x=$(( x >= 800 ? 200 : x + 40 ))
  xdotool mousemove "$x" 384 click 1
  sleep 0.2
done
after=$(ticks)
stop=$(date +%s.%N)
awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$stop" \
  'BEGIN { printf "nmnm CPU: %.1f%% of one core over %.1f s\n", 100 * t / hz / (e - s), e - s }'
xdotool key Escape
wait $game_pid
