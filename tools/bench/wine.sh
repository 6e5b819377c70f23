#!/usr/bin/env bash
# Game CPU of the Windows programs under Wine beside the Linux window's, all
# measured in one session on the same Xvfb screen size (1024 x 768, or
# MEASURE_SIZE) and the same player, runs taken in turn so that a busy moment
# of the machine falls on all of them alike. Each run waits for the window,
# clicks through the title, then reads the user and system time of the game's
# process, of the X server and (under Wine) of the prefix's wineserver from
# /proc over SECONDS of play. Prints the medians of RUNS runs, and each
# Windows figure as a multiple of the Linux one. A benchmark, not a test: run
# it on a quiet machine.
# Usage: tools/bench/run.sh wine [-r RUNS] [-s SECONDS] LINUX_BUILD WINDOWS...
#   LINUX_BUILD  a Linux build folder (its bin/nmnm is run)
#   WINDOWS      a Windows build folder (its bin/nmnm.exe) or a folder holding
#                nmnm.exe, hk.bmp and pt.bmp; 32- or 64-bit, read off the
#                program. Each runs in the Wine prefix wineprefix/ beside it
#                (scripts/wine-run.sh).
#   e.g. tools/bench/run.sh wine build build-win64 build-win32
set -euo pipefail
name=bench_wine
source "$(dirname "$0")/lib.sh"
runs=3
seconds=10
while getopts "r:s:" option; do
  case $option in
    r) runs=$OPTARG ;;
    s) seconds=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || { echo "usage: tools/bench/run.sh wine [-r RUNS] [-s SECONDS] LINUX_BUILD WINDOWS..." >&2; exit 2; }
size=${MEASURE_SIZE:-1024x768}

linux=$(cd "$1" && pwd)/bin/nmnm
[ -x "$linux" ] || { echo "$name: no Linux game at $linux; build it first" >&2; exit 1; }
shift
labels=(linux)
programs=("$linux")
prefixes=("")
arches=("")
for folder in "$@"; do
  folder=$(cd "$folder" && pwd)
  if [ -f "$folder/bin/nmnm.exe" ]; then exe=$folder/bin/nmnm.exe; else exe=$folder/nmnm.exe; fi
  [ -f "$exe" ] || { echo "$name: no nmnm.exe in $folder or $folder/bin" >&2; exit 1; }
  # The PE header's machine field: 0x8664 for x86-64, 0x14c for x86.
  offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  machine=$(od -An -tx2 -j"$offset" -N6 "$exe" | awk '{print $3}')
  case $machine in
    8664) arch=win64 ;;
    014c) arch=win32 ;;
    *) echo "$name: $exe is not a 32- or 64-bit x86 Windows program" >&2; exit 1 ;;
  esac
  labels+=("$arch ${folder/#$PWD\//}")
  programs+=("$exe")
  prefixes+=("$folder/wineprefix")
  arches+=("$arch")
done

# One run of PROGRAM [PREFIX ARCH] in a subshell of its own, which stops
# what it started: prints "GAME% WINESERVER% XSERVER%".
measure_once() (
  local program=$1 prefix=${2:+$(realpath -m "$2")} arch=${3:-} run_pid="" game_pid="" server_pid="" w h
  cleanup() {
    if [ -n "$run_pid" ]; then kill "$run_pid" 2>/dev/null || true; fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
  }
  trap cleanup EXIT
  xvfb_start "${size}x24" /dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  # Started from its own folder, as a player starts it.
  cd "$(dirname "$program")"
  if [ -n "$arch" ]; then
    "$root/scripts/wine-run.sh" "$prefix" "$arch" "$program" >/dev/null 2>&1 &
  else
    "$program" >/dev/null 2>&1 &
  fi
  run_pid=$!
  # The game's own process: the newest of that name on this screen (other
  # sessions may run the game on screens of their own).
  local base pid
  base=$(basename "$program")
  for _ in $(seq 1200); do
    for pid in $(pgrep -x "${base:0:15}" || true); do
      tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && game_pid=$pid
    done
    [ -n "$game_pid" ] && xdotool search --name '^nmnm$' >/dev/null 2>&1 && break
    kill -0 "$run_pid" 2>/dev/null || { echo "$base ended before its window showed" >&2; exit 1; }
    sleep 0.1
  done
  [ -n "$game_pid" ] || { echo "no window of $base within 120 s" >&2; exit 1; }
  if [ -n "$prefix" ]; then
    for pid in $(pgrep -x 'wineserver(32|64)?' || true); do
      tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && server_pid=$pid
    done
  fi
  read -r w h <<<"${size/x/ }"
  sleep 3
  xdotool mousemove $((w / 2)) $((h / 2)) click 1
  sleep 3
  local g0 w0 x0 t0 g1 w1 x1 t1
  g0=$(ticks "$game_pid"); w0=$(ticks "$server_pid"); x0=$(ticks "$xvfb_pid"); t0=$(now)
  play_for "$seconds" "$w" "$h"
  g1=$(ticks "$game_pid"); w1=$(ticks "$server_pid"); x1=$(ticks "$xvfb_pid"); t1=$(now)
  echo "$(percent $((g1 - g0)) "$t0" "$t1") $(percent $((w1 - w0)) "$t0" "$t1") $(percent $((x1 - x0)) "$t0" "$t1")"
  xdotool key Escape
  for _ in $(seq 100); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
)

echo "$name: $runs runs of $seconds s at ${size/x/ x }, in turn; medians, % of one core"
for run in $(seq "$runs"); do
  for i in "${!programs[@]}"; do
    if ! line=$(measure_once "${programs[$i]}" "${prefixes[$i]}" "${arches[$i]}" 2>"$work/err") || [ -z "$line" ]; then
      echo "  run $run, ${labels[$i]}: failed: $(tail -n1 "$work/err")" >&2
      continue
    fi
    read -r g s x <<<"$line"
    echo "  run $run, ${labels[$i]}: game $g% wineserver $s% xserver $x%" >&2
    echo "$line" >>"$work/$i"
  done
done

printf '%-28s %10s %10s %10s %12s\n' "program" "game" "wineserver" "X server" "game / linux"
base=$(cut -d' ' -f1 "$work/0" 2>/dev/null | median)
for i in "${!programs[@]}"; do
  if [ ! -s "$work/$i" ]; then
    printf '%-28s %10s\n' "${labels[$i]}" "did not run"
    continue
  fi
  game=$(cut -d' ' -f1 "$work/$i" | median)
  server=$(cut -d' ' -f2 "$work/$i" | median)
  xserver=$(cut -d' ' -f3 "$work/$i" | median)
  ratio=$(awk -v g="$game" -v b="$base" 'BEGIN { if (b == "-" || b <= 0) print "-"; else printf "%.2fx", g / b }')
  [ -z "${arches[$i]}" ] && server="-"
  printf '%-28s %10s %10s %10s %12s\n' "${labels[$i]}" "$game" "$server" "$xserver" "$ratio"
done
