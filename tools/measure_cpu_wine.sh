#!/usr/bin/env bash
# Measures the game's CPU use in a real window under Xvfb at 1024 x 768 (or
# SIZE): waits for the window, clicks through the title, then reads the user
# and system time of the game's process, of the X server and (under Wine) of
# the prefix's wineserver from /proc over SECONDS of play, the mouse moving
# and swinging as a player's would. With RUNNER the program is a Windows one
# run through it; without, a Linux one run directly, so that both meet the
# same screen and the same player. One run, a benchmark, not a test; see
# tools/bench_wine.sh for medians of several runs.
# Usage: measure_cpu_wine.sh PROGRAM SECONDS [RUNNER...]
#   e.g. measure_cpu_wine.sh build-win64/bin/nmnm.exe 10 scripts/wine-run.sh build-win64/wineprefix win64
#        measure_cpu_wine.sh build/bin/nmnm 10
# Prints: game G% wineserver W% xserver X% over S s  (percent of one core)
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: measure_cpu_wine.sh PROGRAM SECONDS [RUNNER...]" >&2; exit 2; }
game=$(realpath "$1")
seconds=$2
shift 2
runner=("$@")
# The program is started from its own folder: the runner must not depend on
# the folder this script was started from.
if [ ${#runner[@]} -gt 0 ] && [[ ${runner[0]} == */* ]]; then runner[0]=$(realpath "${runner[0]}"); fi
if [ ${#runner[@]} -gt 1 ] && [[ ${runner[0]} == *wine-run.sh ]]; then runner[1]=$(realpath -m "${runner[1]}"); fi
size=${MEASURE_SIZE:-1024x768}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "measure_cpu_wine: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

numfile=$(mktemp)
run_pid=""
# Nothing started here keeps this script's output open after it ends.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  if [ -n "$run_pid" ]; then kill "$run_pid" 2>/dev/null || true; fi
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -f "$numfile"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
[ -s "$numfile" ] || { echo "measure_cpu_wine: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$numfile")"

cd "$(dirname "$game")"
if [ ${#runner[@]} -gt 0 ]; then
  "${runner[@]}" "$game" >/dev/null 2>&1 &
else
  "$game" >/dev/null 2>&1 &
fi
run_pid=$!
name=$(basename "$game")

# The game's own process: the newest of that name on this screen (other
# sessions may run the game on screens of their own).
game_pid=""
for _ in $(seq 1200); do
  for pid in $(pgrep -x "${name:0:15}" || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && game_pid=$pid
  done
  [ -n "$game_pid" ] && xdotool search --name '^nmnm$' >/dev/null 2>&1 && break
  kill -0 "$run_pid" 2>/dev/null || { echo "measure_cpu_wine: $name ended before its window showed" >&2; exit 1; }
  sleep 0.1
done
[ -n "$game_pid" ] || { echo "measure_cpu_wine: no window of $name within 120 s" >&2; exit 1; }
server_pid=""
prefix=$(tr '\0' '\n' <"/proc/$game_pid/environ" | sed -n 's/^WINEPREFIX=//p')
if [ -n "$prefix" ]; then
  for pid in $(pgrep -x 'wineserver(32|64)?' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && server_pid=$pid
  done
fi

read -r w h <<<"${size/x/ }"
sleep 3
xdotool mousemove $((w / 2)) $((h / 2)) click 1
sleep 3

ticks() { [ -n "$1" ] && awk '{print $14 + $15}' "/proc/$1/stat" || echo 0; }
hz=$(getconf CLK_TCK)
g0=$(ticks "$game_pid"); w0=$(ticks "$server_pid"); x0=$(ticks "$xvfb")
start=$(date +%s.%N)
end=$(( $(date +%s) + seconds ))
x=$((w / 5))
while [ "$(date +%s)" -lt "$end" ]; do
  x=$(( x >= w * 4 / 5 ? w / 5 : x + w / 25 ))
  xdotool mousemove "$x" $((h / 2)) click 1
  sleep 0.2
done
g1=$(ticks "$game_pid"); w1=$(ticks "$server_pid"); x1=$(ticks "$xvfb")
stop=$(date +%s.%N)
awk -v g=$((g1 - g0)) -v w=$((w1 - w0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$start" -v e="$stop" \
  'BEGIN { t = e - s; printf "game %.2f%% wineserver %.2f%% xserver %.2f%% over %.1f s\n",
           100 * g / hz / t, 100 * w / hz / t, 100 * x / hz / t, t }'
xdotool key Escape
for _ in $(seq 100); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
