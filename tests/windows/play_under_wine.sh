#!/usr/bin/env bash
# Plays the Windows program under Wine in an Xvfb screen of 1280 x 1024, so
# the picture sits between black bars: the title with its GDI text shows, a
# click starts the announcement, a held press in play swings the swatter,
# Alt+Enter switches to a window and back, and Esc ends the game with exit
# code 0. Without a screen it fails plainly.
# Usage: play_under_wine.sh path/to/nmnm.exe path/to/screen_probe RUNNER...
set -uo pipefail
game=$1
probe=$2
shift 2
runner=("$@")

if [ ! -x "$probe" ]; then
  echo "play_under_wine: no screen probe at '$probe'; skipping (configure with -DNMNM_LINUX_TOOLS_DIR=<linux build>/bin)"
  exit 77
fi

label=play_under_wine
source "$(dirname "$0")/../e2e/x_session.sh"
need_screen xdotool
end_wine_session

cd "$(dirname "$game")" || fail "no folder for $game"
start_xvfb 1280x1024x24

# Started from its own folder, where the build put hk.bmp and pt.bmp.
"${runner[@]}" "$game" 2>"$work/stderr" &
game_pid=$!

# A point of the picture on the screen: x * 2, 32 + y * 2 (picture 1280 x 960
# between bars of 32 rows).
screen_x() { echo $(($1 * 2)); }
screen_y() { echo $((32 + $2 * 2)); }

timeout 60 xdotool search --sync --name '^nmnm$' >/dev/null || fail "no window titled nmnm appeared"
xdotool mousemove 640 900
expect_title 40
expect_click_starts_announcement 10

# Announcement and start last about two seconds; then play. The swatter
# follows the cursor to the picture's (320, 200).
sleep 3.5
xdotool mousemove "$(screen_x 320)" "$(screen_y 0 200)"
sleep 0.3
expect_held_press_swings

# Alt+Enter: a window of the picture's own size (twice would not fit with its
# frame), then full screen again.
size() { xdotool search --name '^nmnm$' getwindowgeometry --shell | awk -F= '/^WIDTH|^HEIGHT/ { printf "%s ", $2 }'; }
xdotool key alt+Return
sleep 1.5
windowed=$(size)
[ "$windowed" = "640 480 " ] || fail "Alt+Enter gave a window of $windowed, not 640 480"
xdotool key alt+Return
sleep 1.5
full=$(size)
[ "$full" = "1280 1024 " ] || fail "Alt+Enter again gave $full, not the full screen"

xdotool key Escape
expect_clean_end "after Esc"

# With no screen at all the start fails plainly: one line naming the window,
# exit code 1.
end_wine_session
env -u DISPLAY "${runner[@]}" "$game" 2>"$work/stderr"
code=$?
end_wine_session
[ "$code" -eq 1 ] || fail "exit code $code without a screen, not 1"
grep -q "window could not be made" "$work/stderr" || fail "no line naming the window without a screen"
echo "play_under_wine: title $title, instruction $instruction, swing $swing pixels; windowed $windowed; exit 0; without a screen exit 1"
