#!/usr/bin/env bash
# A run recorded on Linux (a game played by hand in the Linux build's window)
# watched by the Windows program under Wine and Xvfb: the trace the game
# writes while it watches must equal the Linux nmnm-replay's of the same file,
# byte for byte; Esc ends the watch with exit code 0.
# Usage: watch_under_wine.sh path/to/nmnm.exe LINUX_TOOLS_DIR RUN_FILE RUNNER...
set -uo pipefail
game=$1
linux=$2
run=$3
shift 3
runner=("$@")

if [ ! -x "$linux/nmnm-replay" ]; then
  echo "watch_under_wine: no Linux nmnm-replay in '$linux'; skipping (configure with -DNMNM_LINUX_TOOLS_DIR=<linux build>/bin)"
  exit 77
fi
label=watch_under_wine
source "$(dirname "$0")/../e2e/x_session.sh"
need_screen xdotool
end_wine_session
(cd "$linux" && ./nmnm-replay --script "$run" --trace "$work/linux.jsonl") || fail "the Linux nmnm-replay refused $run"
frames=$(wc -l <"$work/linux.jsonl")

# Beside the game, by plain names: Windows paths are not Linux ones.
cd "$(dirname "$game")" || fail "no folder for $game"
cp "$run" watched.nmnm-run
rm -f watched.jsonl
start_xvfb 1024x768x24
"${runner[@]}" "$game" --watch watched.nmnm-run --trace watched.jsonl 2>"$work/stderr" &
game_pid=$!
for _ in $(seq 900); do
  [ "$({ wc -l <watched.jsonl; } 2>/dev/null || echo 0)" -ge "$frames" ] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
sleep 0.3
xdotool key Escape
expect_clean_end "after Esc while watching"
end_wine_session
cmp -s "$work/linux.jsonl" watched.jsonl ||
  fail "the trace under Wine ($(wc -l <watched.jsonl) frames) differs from Linux's ($frames frames): $(diff "$work/linux.jsonl" watched.jsonl | head -n 3)"
rm -f watched.nmnm-run watched.jsonl
echo "watch_under_wine: a Linux recording watched under Wine, $frames frames, the same trace as Linux's nmnm-replay"
