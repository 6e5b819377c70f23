#!/usr/bin/env bash
# Measures the game in a real window under Xvfb, as a player meets it: CPU of
# the game and of the X server over a stretch of play at 1024 x 768 and
# 1920 x 1080, peak resident memory, the time from start to the first and to
# the last step of the fade-in on screen, and nmnm-replay --bench. Medians of RUNS runs; with a
# second build folder, its figures are measured in the same session and shown
# beside. A benchmark, not a test: run it on a quiet machine.
# Usage: tools/bench_window.sh BUILD [BASE_BUILD] [RUNS] [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
base=${2:+$(cd "$2" && pwd)}
runs=${3:-3}
seconds=${4:-10}
spy=$build/tools/bench/libnmnm_startup_spy.so
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "bench_window: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -f "$spy" ] || { echo "bench_window: $spy is missing; build the target nmnm_startup_spy" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
median() { sort -g | awk '{v[NR] = $1} END {print NR ? v[int((NR + 1) / 2)] : "-"}'; }

# One run: prints "game% xserver% hwm_mb first_fade_ms fade_done_ms".
run_once() {
  local bin=$1 size=$2
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  : >"$work/display"
  rm -f "$work/timing"
  NMNM_TIMING_LOG="$work/timing" LD_PRELOAD="$spy" NMNM_LAUNCH_NS=$(date +%s%N) "$bin" 2>/dev/null &
  game=$!
  sleep 2
  read -r w h <<<"${size/x/ }"
  xdotool mousemove $((w / 2)) $((h / 2)) click 1
  sleep 3
  local g0 x0 t0 g1 x1 t1
  g0=$(ticks "$game"); x0=$(ticks "$xvfb"); t0=$(date +%s.%N)
  local end=$(( $(date +%s) + seconds )) x=$((w / 5))
  # The mouse keeps moving and swinging now and then, as a player's would.
  while [ "$(date +%s)" -lt "$end" ]; do
    x=$(( x >= w * 4 / 5 ? w / 5 : x + w / 25 ))
    xdotool mousemove "$x" $((h / 2)) click 1
    sleep 0.2
  done
  g1=$(ticks "$game"); x1=$(ticks "$xvfb"); t1=$(date +%s.%N)
  local hwm
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$game/status")
  xdotool key Escape
  wait "$game" || true
  game=""
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
  xvfb=""
  local fade faded
  fade=$(awk '$1 == "first_fade_step" {print $2}' "$work/timing" 2>/dev/null)
  faded=$(awk '$1 == "fade_done" {print $2}' "$work/timing" 2>/dev/null)
  awk -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$t0" -v e="$t1" -v m="$hwm" -v f="${fade:--}" \
    -v d="${faded:--}" 'BEGIN { printf "%.2f %.2f %.1f %s %s\n", 100 * g / hz / (e - s), 100 * x / hz / (e - s), m / 1024, f, d }'
}

# Medians over the runs for one build: "size game% xserver% hwm first_fade fade_done".
measure() {
  local bin=$1/bin/nmnm size
  for size in 1024x768 1920x1080; do
    : >"$work/runs"
    for _ in $(seq "$runs"); do run_once "$bin" "$size" >>"$work/runs"; done
    echo "$size $(cut -d' ' -f1 "$work/runs" | median) $(cut -d' ' -f2 "$work/runs" | median)" \
      "$(cut -d' ' -f3 "$work/runs" | median) $(cut -d' ' -f4 "$work/runs" | median)" \
      "$(cut -d' ' -f5 "$work/runs" | median)"
  done
}

replay_ratio() {
  local dir=$1/bin r
  for _ in $(seq "$runs"); do
    (cd "$dir" && ./nmnm-replay --bench) | awk -F'[:x]' '/floor:/ {print $2 + 0}'
  done | median
}

echo "bench_window: $runs runs of $seconds s each; medians"
measure "$build" >"$work/new"
replay_new=$(replay_ratio "$build")
if [ -n "$base" ]; then
  measure "$base" >"$work/base"
  replay_base=$(replay_ratio "$base")
fi
printf '%-10s %-26s %12s %12s\n' "screen" "figure" "this build" "${base:+base build}"
while read -r size game xs hwm fade faded; do
  if [ -n "$base" ]; then
    read -r _ bgame bxs bhwm bfade bfaded < <(grep "^$size " "$work/base")
  fi
  printf '%-10s %-26s %12s %12s\n' "$size" "game CPU, % of a core" "$game" "${bgame:-}"
  printf '%-10s %-26s %12s %12s\n' "$size" "X server CPU, % of a core" "$xs" "${bxs:-}"
  printf '%-10s %-26s %12s %12s\n' "$size" "peak resident memory, MB" "$hwm" "${bhwm:-}"
  printf '%-10s %-26s %12s %12s\n' "$size" "start to first fade, ms" "$fade" "${bfade:-}"
  printf '%-10s %-26s %12s %12s\n' "$size" "start to faded in, ms" "$faded" "${bfaded:-}"
done <"$work/new"
printf '%-10s %-26s %12s %12s\n' "-" "replay bench, x the floor" "$replay_new" "${replay_base:-}"
