#!/usr/bin/env bash
# Game CPU of the Windows programs under Wine beside the Linux window's, all
# measured in one session on the same Xvfb screen size (1024 x 768) and the
# same player (tools/measure_cpu_wine.sh), runs taken in turn so that
# a busy moment of the machine falls on all of them alike. Prints the medians
# of RUNS runs of SECONDS each, and each Windows figure as a multiple of the
# Linux one. A benchmark, not a test: run it on a quiet machine.
# Usage: tools/bench_wine.sh [-r RUNS] [-s SECONDS] LINUX_BUILD WINDOWS...
#   LINUX_BUILD  a Linux build folder (its bin/nmnm is run)
#   WINDOWS      a Windows build folder (its bin/nmnm.exe) or a folder holding
#                nmnm.exe, hk.bmp and pt.bmp; 32- or 64-bit, read off the
#                program. Each runs in the Wine prefix wineprefix/ beside it.
#   e.g. tools/bench_wine.sh build build-win64 build-win32
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
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
[ $# -ge 2 ] || { echo "usage: tools/bench_wine.sh [-r RUNS] [-s SECONDS] LINUX_BUILD WINDOWS..." >&2; exit 2; }
measure=$root/tools/measure_cpu_wine.sh

linux=$(cd "$1" && pwd)/bin/nmnm
[ -x "$linux" ] || { echo "bench_wine: no Linux game at $linux; build it first" >&2; exit 1; }
shift
labels=(linux)
programs=("$linux")
prefixes=("")
arches=("")
for folder in "$@"; do
  folder=$(cd "$folder" && pwd)
  if [ -f "$folder/bin/nmnm.exe" ]; then exe=$folder/bin/nmnm.exe; else exe=$folder/nmnm.exe; fi
  [ -f "$exe" ] || { echo "bench_wine: no nmnm.exe in $folder or $folder/bin" >&2; exit 1; }
  # The PE header's machine field: 0x8664 for x86-64, 0x14c for x86.
  offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  machine=$(od -An -tx2 -j"$offset" -N6 "$exe" | awk '{print $3}')
  case $machine in
    8664) arch=win64 ;;
    014c) arch=win32 ;;
    *) echo "bench_wine: $exe is not a 32- or 64-bit x86 Windows program" >&2; exit 1 ;;
  esac
  labels+=("$arch ${folder/#$PWD\//}")
  programs+=("$exe")
  prefixes+=("$folder/wineprefix")
  arches+=("$arch")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
median() { sort -g | awk '{v[NR] = $1} END {print NR ? v[int((NR + 1) / 2)] : "-"}'; }

echo "bench_wine: $runs runs of $seconds s at 1024 x 768, in turn; medians, % of one core"
for run in $(seq "$runs"); do
  for i in "${!programs[@]}"; do
    out=$work/$i
    if [ -z "${arches[$i]}" ]; then
      line=$("$measure" "${programs[$i]}" "$seconds" 2>"$work/err") || line=""
    else
      line=$("$measure" "${programs[$i]}" "$seconds" "$root/scripts/wine-run.sh" "${prefixes[$i]}" "${arches[$i]}" \
        2>"$work/err") || line=""
    fi
    if [ -z "$line" ]; then
      echo "  run $run, ${labels[$i]}: failed: $(tail -n1 "$work/err")" >&2
      continue
    fi
    echo "  run $run, ${labels[$i]}: $line" >&2
    awk '{ gsub("%", ""); print $2, $4, $6 }' <<<"$line" >>"$out"
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
