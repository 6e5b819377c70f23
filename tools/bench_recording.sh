#!/usr/bin/env bash
# What recording a run costs. CPU: nmnm-replay --bench times the frame
# function (and the conversion every shown frame needs) with the game's
# recording on and off, RUNS times each, interleaved. File growth: the game
# in a real window under Xvfb, played for SECONDS with the pointer always
# moving and a swing every half second, recording with --record; the file's
# size and its gzipped size per minute of play. Medians. A benchmark, not a
# test: run it on a quiet machine.
# Usage: tools/bench_recording.sh BUILD [RUNS] [SECONDS]
set -euo pipefail
bin=$(cd "$1/bin" && pwd)
runs=${2:-5}
seconds=${3:-60}
for tool in Xvfb xdotool gzip awk; do
  command -v "$tool" >/dev/null || { echo "bench_recording: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

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
median() { sort -g | awk '{v[NR] = $1} END {print NR ? v[int((NR + 1) / 2)] : "-"}'; }
field() { awk -F': ' -v k="$1" '$1 == k {print $2 + 0}'; }

cd "$bin"  # the pictures are found beside the programs
for _ in $(seq "$runs"); do
  ./nmnm-replay --bench --autoplay 20000 >"$work/off"
  ./nmnm-replay --bench --autoplay 20000 --record "$work/bench.nmnm-run" >"$work/on"
  for state in off on; do
    compose=$(field "compose median" <"$work/$state")
    convert=$(field "convert median" <"$work/$state")
    awk -v a="$compose" -v b="$convert" 'BEGIN {print a + b}' >>"$work/frame_$state"
  done
done
off=$(median <"$work/frame_off")
on=$(median <"$work/frame_on")
echo "frame work (compose + convert), median of $runs: recording off $off us, on $on us," \
  "$(awk -v a="$off" -v b="$on" 'BEGIN {printf "%+.1f", (b - a) * 100 / a}')%"

# Play in a real window, recorded.
for i in $(seq "$runs"); do
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  : >"$work/display"
  XDG_DATA_HOME=$work/data ./nmnm --record "$work/play.nmnm-run" 2>/dev/null &
  game=$!
  sleep 2
  xdotool mousemove 512 384 click 1
  end=$(($(date +%s) + seconds))
  step=0
  while [ "$(date +%s)" -lt "$end" ]; do
    # A circle of the pointer every 1.6 s, a swing every half second.
    for _ in $(seq 5); do
      step=$((step + 1))
      xdotool mousemove $(awk -v t="$step" 'BEGIN {printf "%d %d", 512 + 300 * cos(t / 8), 384 + 250 * sin(t / 8)}')
      sleep 0.1
    done
    xdotool click 1
  done
  xdotool key Escape
  wait "$game" || true
  game=""
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null || true
  xvfb=""
  bytes=$(wc -c <"$work/play.nmnm-run")
  packed=$(gzip -9c "$work/play.nmnm-run" | wc -c)
  awk -v n="$bytes" -v s="$seconds" 'BEGIN {print n * 60 / (s + 2) / 1024}' >>"$work/kb"
  awk -v n="$packed" -v s="$seconds" 'BEGIN {print n * 60 / (s + 2) / 1024}' >>"$work/kbgz"
  grep -c '^[0-9]' "$work/play.nmnm-run" >>"$work/calls"
done
printf 'file growth, median of %s runs of %s s: %.1f KB a minute, %.1f KB gzipped (%s call lines a run)\n' \
  "$runs" "$seconds" "$(median <"$work/kb")" "$(median <"$work/kbgz")" "$(median <"$work/calls")"
