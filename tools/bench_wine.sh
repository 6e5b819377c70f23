#!/usr/bin/env bash
# Measures the Windows program's CPU use under Wine over a stretch of play in
# Xvfb at 1024 x 768: clicks through the title, then reads the user and
# system time of the game's process (and, apart, of the wineserver) from
# /proc before and after. A benchmark, not a test.
# Usage: bench_wine.sh path/to/nmnm.exe [seconds] RUNNER...
#   e.g. bench_wine.sh build-win64/bin/nmnm.exe 10 scripts/wine-run.sh build-win64/wineprefix win64
set -euo pipefail
game=$(realpath "$1")
seconds=$2
shift 2
runner=("$@")
command -v Xvfb >/dev/null || { echo "bench_wine: Xvfb is missing (scripts/setup.sh installs it)" >&2; exit 1; }

numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
xvfb=$!
trap 'kill $run_pid 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -f "$numfile"' EXIT
for _ in $(seq 50); do [ -s "$numfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$numfile")"

cd "$(dirname "$game")"
"${runner[@]}" "$game" &
run_pid=$!
xdotool search --sync --name '^nmnm$' >/dev/null
sleep 3
# Wine names the process after the program.
game_pid=$(pgrep -n -x nmnm.exe)
# The wineserver of the game's own prefix (other prefixes may have theirs).
prefix=$(tr '\0' '\n' <"/proc/$game_pid/environ" | sed -n 's/^WINEPREFIX=//p')
server_pid=""
for pid in $(pgrep -x wineserver || true); do
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && server_pid=$pid
done
xdotool mousemove 512 384 click 1
sleep 3

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks "$game_pid")
server_before=$([ -n "$server_pid" ] && ticks "$server_pid" || echo 0)
start=$(date +%s.%N)
end=$(( $(date +%s) + seconds ))
x=200
while [ "$(date +%s)" -lt "$end" ]; do
  x=$(( x >= 800 ? 200 : x + 40 ))
  xdotool mousemove "$x" 384 click 1
  sleep 0.2
done
after=$(ticks "$game_pid")
server_after=$([ -n "$server_pid" ] && ticks "$server_pid" || echo 0)
stop=$(date +%s.%N)
awk -v t=$((after - before)) -v w=$((server_after - server_before)) -v hz="$hz" -v s="$start" -v e="$stop" \
  'BEGIN { printf "nmnm.exe under Wine: %.1f%% of one core over %.1f s (wineserver %.1f%%)\n",
           100 * t / hz / (e - s), e - s, 100 * w / hz / (e - s) }'
xdotool key Escape
wait "$run_pid"
