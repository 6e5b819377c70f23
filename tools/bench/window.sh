#!/usr/bin/env bash
# Measures the game in a real window under Xvfb, as a player meets it: CPU of
# the game and of the X server over a stretch of play at 1024 x 768 and
# 1920 x 1080, peak resident memory, the time from start to the first and to
# the last step of the fade-in on screen, and nmnm-replay --bench. Medians of
# RUNS runs; with a second build folder, its figures are measured in the same
# session and shown beside. A benchmark, not a test: run it on a quiet machine.
# Usage: tools/bench/run.sh window BUILD [BASE_BUILD] [RUNS] [SECONDS]
set -euo pipefail
name=bench_window
source "$(dirname "$0")/lib.sh"
build=$(cd "$1" && pwd)
base=${2:+$(cd "$2" && pwd)}
runs=${3:-3}
seconds=${4:-10}
spy=$build/tools/bench/libnmnm_startup_spy.so
[ -f "$spy" ] || { echo "$name: $spy is missing; build the target nmnm_startup_spy" >&2; exit 1; }

# One run: prints "game% xserver% hwm_mb first_fade_ms fade_done_ms".
run_once() {
  local bin=$1 size=$2 w h
  read -r w h <<<"${size/x/ }"
  xvfb_start "${size}x24" /dev/null || { echo "$name: Xvfb did not start" >&2; exit 1; }
  rm -f "$work/timing"
  NMNM_TIMING_LOG="$work/timing" LD_PRELOAD="$spy" NMNM_LAUNCH_NS=$(date +%s%N) "$bin" 2>/dev/null &
  game=$!
  sleep 2
  xdotool mousemove $((w / 2)) $((h / 2)) click 1
  sleep 3
  local g0 x0 t0 g1 x1 t1 hwm fade faded
  g0=$(ticks "$game"); x0=$(ticks "$xvfb_pid"); t0=$(now)
  play_for "$seconds" "$w" "$h"
  g1=$(ticks "$game"); x1=$(ticks "$xvfb_pid"); t1=$(now)
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$game/status")
  xdotool key Escape
  wait "$game" || true
  game=""
  kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  fade=$(awk '$1 == "first_fade_step" {print $2}' "$work/timing" 2>/dev/null)
  faded=$(awk '$1 == "fade_done" {print $2}' "$work/timing" 2>/dev/null)
  echo "$(percent $((g1 - g0)) "$t0" "$t1") $(percent $((x1 - x0)) "$t0" "$t1")" \
    "$(awk -v m="$hwm" 'BEGIN { printf "%.1f", m / 1024 }') ${fade:--} ${faded:--}"
}

# Medians over the runs for one build: "size game% xserver% hwm first_fade fade_done".
measure() {
  local bin=$1/bin/nmnm size column medians
  for size in 1024x768 1920x1080; do
    : >"$work/runs"
    for _ in $(seq "$runs"); do run_once "$bin" "$size" >>"$work/runs"; done
    medians=$size
    for column in 1 2 3 4 5; do medians+=" $(cut -d' ' -f$column "$work/runs" | median)"; done
    echo "$medians"
  done
}

replay_ratio() {
  for _ in $(seq "$runs"); do
    (cd "$1/bin" && ./nmnm-replay --bench) | awk -F'[:x]' '/floor:/ {print $2 + 0}'
  done | median
}

echo "$name: $runs runs of $seconds s each; medians"
measure "$build" >"$work/new"
replay_new=$(replay_ratio "$build")
if [ -n "$base" ]; then
  measure "$base" >"$work/base"
  replay_base=$(replay_ratio "$base")
fi
row() { printf '%-10s %-26s %12s %12s\n' "$@"; }
row "screen" "figure" "this build" "${base:+base build}"
while read -r size gcpu xs hwm fade faded; do
  if [ -n "$base" ]; then
    read -r _ bgame bxs bhwm bfade bfaded < <(grep "^$size " "$work/base")
  fi
  row "$size" "game CPU, % of a core" "$gcpu" "${bgame:-}"
  row "$size" "X server CPU, % of a core" "$xs" "${bxs:-}"
  row "$size" "peak resident memory, MB" "$hwm" "${bhwm:-}"
  row "$size" "start to first fade, ms" "$fade" "${bfade:-}"
  row "$size" "start to faded in, ms" "$faded" "${bfaded:-}"
done <"$work/new"
row "-" "replay bench, x the floor" "$replay_new" "${replay_base:-}"
