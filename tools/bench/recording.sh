#!/usr/bin/env bash
# What recording a run costs. CPU: nmnm-replay --bench times the frame
# function (and the conversion every shown frame needs) with the game's
# recording on and off, RUNS times each, interleaved. File growth: the game
# in a real window under Xvfb, played for SECONDS by the benchmarks' player's
# hand, recording with --record; the file's size and its gzipped size per
# minute of play. Medians. A benchmark, not a test: run it on a quiet machine.
# Usage: tools/bench/run.sh recording BUILD [RUNS] [SECONDS]
set -euo pipefail
name=bench_recording
source "$(dirname "$0")/lib.sh"
bin=$(cd "$1/bin" && pwd)
runs=${2:-5}
seconds=${3:-60}
command -v gzip >/dev/null || { echo "$name: gzip is missing" >&2; exit 1; }

field() { awk -F': ' -v k="$1" '$1 == k {print $2 + 0}'; }

cd "$bin"  # the pictures are found beside the programs
for _ in $(seq "$runs"); do
  ./nmnm-replay --bench --autoplay 20000 >"$work/off"
  ./nmnm-replay --bench --autoplay 20000 --record "$work/bench.nmnm-run" >"$work/on"
  for state in off on; do
    awk -v a="$(field "compose median" <"$work/$state")" -v b="$(field "convert median" <"$work/$state")" \
      'BEGIN {print a + b}' >>"$work/frame_$state"
  done
done
off=$(median <"$work/frame_off")
on=$(median <"$work/frame_on")
echo "frame work (compose + convert), median of $runs: recording off $off us, on $on us," \
  "$(awk -v a="$off" -v b="$on" 'BEGIN {printf "%+.1f", (b - a) * 100 / a}')% (target: within 5%)"

for _ in $(seq "$runs"); do
  xvfb_start 1024x768x24 /dev/null || { echo "$name: Xvfb did not start" >&2; exit 1; }
  XDG_DATA_HOME=$work/data ./nmnm --record "$work/play.nmnm-run" 2>/dev/null &
  game=$!
  sleep 2
  xdotool mousemove 512 384 click 1
  play_for "$seconds" 1024 768
  xdotool key Escape
  wait "$game" || true
  game=""
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  bytes=$(wc -c <"$work/play.nmnm-run")
  packed=$(gzip -9c "$work/play.nmnm-run" | wc -c)
  awk -v n="$bytes" -v s="$seconds" 'BEGIN {print n * 60 / (s + 2) / 1024}' >>"$work/kb"
  awk -v n="$packed" -v s="$seconds" 'BEGIN {print n * 60 / (s + 2) / 1024}' >>"$work/kbgz"
  grep -c '^[0-9]' "$work/play.nmnm-run" >>"$work/lines"
done
printf '%s\n' "file growth, median of $runs runs of $seconds s: $(median <"$work/kb" | xargs printf '%.1f') KB a minute," \
  "$(median <"$work/kbgz" | xargs printf '%.1f') KB gzipped ($(median <"$work/lines") call lines a run)" \
  "(target: <= 40 KB a minute, or < 10 KB gzipped)" | paste -sd' '
