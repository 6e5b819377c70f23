#!/usr/bin/env bash
# The replay program of another build (Windows under Wine, the browser build
# under node) plays the very same game as the Linux one: byte-identical traces
# for a long played game (several stages cleared and lost), for the built-in
# player itself, for a run recorded in the Linux window, and for a random script whose clock wraps past 2^32; the same
# screenshots of play frames, as pictures (byte for byte where both compress
# alike); and the same pictures to play with. With --text, where the other
# build draws the Linux build's own glyphs, the phase screenshots of
# tests/screens/phases.txt too, text included.
# Usage: replay_parity.sh [--text] NAME LINUX_BIN_DIR OTHER_REPLAY WORK_DIR RUNNER...
#   NAME names the other build in messages; its pictures lie beside
#   OTHER_REPLAY, which RUNNER... runs (scripts/wine-run.sh PREFIX ARCH, node).
# NMNM_PARITY_CALLS=N plays shorter games (N calls each), for a build that
# runs slowly (32-bit Windows through an emulator).
set -uo pipefail
screens_dir=$(realpath -- "$(dirname "$0")/../../screens")
recorded_run=$(realpath -- "$(dirname "$0")/../../e2e/played_on_linux.nmnm-run")
with_text=no
if [ "${1:-}" = --text ]; then
  with_text=yes
  shift
fi
other=$1
linux_bin=$(realpath -m -- "$2")
other_replay=$(realpath -m -- "$3")
other_bin=$(dirname "$other_replay")
work=$(realpath -m -- "$4")
shift 4
runner=("$@")
# The runner and its prefix may be given relative to where this starts.
for i in "${!runner[@]}"; do
  [ -e "${runner[$i]}" ] && runner[$i]=$(realpath -- "${runner[$i]}")
done

played_calls=${NMNM_PARITY_CALLS:-100000}
random_calls=${NMNM_PARITY_CALLS:-50000}

label=parity
source "$(dirname "$0")/../../support/checks.sh"
# Compares two outputs; on a difference names the case and the first
# differing line.
same() {
  local what=$1 linux=$2 other_file=$3
  if [ ! -s "$linux" ] || [ ! -s "$other_file" ]; then
    fail "$what: an output is missing or empty ($linux, $other_file)"
  elif ! cmp -s "$linux" "$other_file"; then
    fail "$what: $(cmp "$linux" "$other_file" 2>&1 | head -1)"
  else
    echo "parity: ok: $what"
  fi
}
# Two screenshots: the same bytes, or else the same picture (size, palette,
# pixels) compressed otherwise.
same_picture() {
  local what=$1 linux=$2 other_file=$3 said=
  if [ -s "$linux" ] && [ -s "$other_file" ] && ! cmp -s "$linux" "$other_file" &&
    said=$("$linux_bin/nmnm-pngcmp" "$linux" "$other_file" 2>&1); then
    echo "parity: ok: $what (the same picture, compressed otherwise)"
  elif [ -n "$said" ]; then
    fail "$what: $said"
  else
    same "$what" "$linux" "$other_file"
  fi
}

for f in "$linux_bin/nmnm-replay" "$linux_bin/nmnm-pngcmp" "$other_replay" "$other_bin/hk.bmp" "$other_bin/pt.bmp"; do
  [ -e "$f" ] || { echo "parity: FAIL: $f is missing (build both the Linux and the $other tree)"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
# Both programs read the pictures from the current folder first.
cp "$other_bin/hk.bmp" "$other_bin/pt.bmp" .
same "hk.bmp of the $other build" "$linux_bin/hk.bmp" hk.bmp
same "pt.bmp of the $other build" "$linux_bin/pt.bmp" pt.bmp

linux() { "$linux_bin/nmnm-replay" "$@"; }
theirs() { "${runner[@]}" "$other_replay" "$@"; }

# The played game: the built-in player on Linux, written out as a script.
linux --autoplay $played_calls --write-script played.txt --trace linux-played.jsonl ||
  { echo "parity: FAIL: the Linux replay did not run"; exit 1; }
# Phase changes in the trace: into the stage clear (5), and from the result
# (4) back to the title (0), a lost game.
read -r clears losses < <(awk -F'"gameState":' '{ split($2, a, ","); s = a[1]
  if (s == 5 && prev != 5) c++; if (s == 0 && prev == 4) l++; prev = s } END { print c + 0, l + 0 }' linux-played.jsonl)
echo "parity: played game: $played_calls calls, $clears stages cleared, $losses games lost"
[ "$clears" -ge 3 ] || fail "the played game clears only $clears stages"
[ "$losses" -ge 2 ] || fail "the played game is lost only $losses times"

# Play frames to take pictures of: the first call in play at or after each mark.
shots_args=()
for mark in 1000 $((played_calls * 3 / 10)) $((played_calls * 6 / 10)) $((played_calls * 99 / 100)); do
  call=$(awk -v m=$mark -F'[:,]' '$2 >= m && /"gameState":3,/ && /"flips":1,/ { print $2; exit }' linux-played.jsonl)
  [ -n "$call" ] && shots_args+=(--screenshot "$call:SIDE-play-$call.png")
done
[ ${#shots_args[@]} -ge 6 ] || fail "found fewer than 3 play frames to picture"
linux --script played.txt "${shots_args[@]//SIDE/linux}" >/dev/null || fail "Linux screenshots"
theirs --script played.txt --trace their-played.jsonl "${shots_args[@]//SIDE/their}" ||
  fail "the $other replay of the played script exited with $?"
same "trace of the played script ($played_calls calls)" linux-played.jsonl their-played.jsonl
for shot in linux-play-*.png; do
  same_picture "screenshot ${shot#linux-}" "$shot" "their-${shot#linux-}"
done
rm -f their-played.jsonl

theirs --autoplay $played_calls --trace their-autoplay.jsonl || fail "the $other player exited with $?"
same "trace of the built-in player ($played_calls calls)" linux-played.jsonl their-autoplay.jsonl
rm -f linux-played.jsonl their-autoplay.jsonl

if [ "$with_text" = yes ]; then
  # Each phase's screen, its messages in the glyphs the Linux build baked.
  phase_args=()
  for shot in 4:title 406:play 944:stage_clear 1000:announcement 1050:start 1660:failure; do
    phase_args+=(--screenshot "${shot%%:*}:SIDE-phase-${shot#*:}.png")
  done
  linux --script "$screens_dir/phases.txt" "${phase_args[@]//SIDE/linux}" || fail "Linux phase screenshots"
  theirs --script "$screens_dir/phases.txt" "${phase_args[@]//SIDE/their}" ||
    fail "the $other phase screenshots exited with $?"
  for shot in linux-phase-*.png; do
    same_picture "screenshot ${shot#linux-}, text included" "$shot" "their-${shot#linux-}"
  done
fi

# A run played by hand in the Linux window and recorded there (its header,
# its calls' extra clock readings).
linux --script "$recorded_run" --trace linux-recorded.jsonl || fail "the Linux replay of the recorded run"
theirs --script "$recorded_run" --trace their-recorded.jsonl || fail "the $other replay of the recorded run exited with $?"
same "trace of a run recorded in the Linux window" linux-recorded.jsonl their-recorded.jsonl

# A random script: the clock starts 10 minutes before it wraps, mostly moves
# by up to 60 ms, sometimes stands still or jumps; the mouse wanders off the
# screen too; the keys are pressed at random.
awk -v n=$random_calls 'BEGIN {
  srand(16); tick = 4294967296 - 600000
  for (i = 0; i < n; i++) {
    r = rand()
    if (r < 0.1) step = 0; else if (r < 0.11) step = 1000 + int(rand() * 4000); else step = 1 + int(rand() * 60)
    tick = (tick + step) % 4294967296
    keys = ""
    if (rand() < 0.3) keys = keys "L"
    if (rand() < 0.03) keys = keys "U"
    if (rand() < 0.03) keys = keys "D"
    if (keys == "") keys = "-"
    # %.0f: some awks print %d through a 32-bit signed integer.
    printf "%.0f %d %d %s\n", tick, int(rand() * 760) - 60, int(rand() * 600) - 60, keys
  }
}' >random.txt
read -r wraps highest < <(awk 'NR > 1 && $1 < prev { n++ } { prev = $1; if ($1 > top) top = $1 }
  END { printf "%d %.0f\n", n, top }' random.txt)
[ "$wraps" -eq 1 ] && [ "$highest" -ge 4294000000 ] ||
  fail "the random script's clock should wrap once from near 2^32 (wraps $wraps, highest $highest)"
linux --script random.txt --trace linux-random.jsonl || fail "the Linux replay of the random script"
theirs --script random.txt --trace their-random.jsonl || fail "the $other replay of the random script exited with $?"
same "trace of the random script ($random_calls calls, clock wrapping)" linux-random.jsonl their-random.jsonl

if [ $failures -ne 0 ]; then
  echo "parity: $failures failed; outputs kept in $work"
  exit 1
fi
cd / && rm -rf "$work"
echo "parity: all identical"
