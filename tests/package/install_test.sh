#!/usr/bin/env bash
# Installs the build into a temporary prefix named only at install time, as
# packagers and users without root do, checks that every file lands where the
# desktop looks for it, then runs the installed game under Xvfb from an empty
# folder: it must find its pictures through ../share/nmnm beside the program.
# The installed background is made all white first, so the screen tells that
# picture apart from any other copy on the machine (and from none: black).
# Usage: install_test.sh BUILD_DIR BINDIR VERSION path/to/screen_probe
set -uo pipefail
build=$1
bindir=$2
version=$3
probe=$4

label=install_test
source "$(dirname "$0")/../e2e/x_session.sh"
# Counting failures (this replaces the session's fail, which ends at the first).
source "$(dirname "$0")/../support/checks.sh"
stop() {
  fail "$@"
  [ -s "$work/stderr" ] && { echo "--- game stderr"; cat "$work/stderr"; }
  exit 1
}

root=$work/root
prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || stop "cmake --install failed: $(cat "$work/install.log")"

game=$prefix/$bindir/nmnm
[ -x "$game" ] || stop "no program at $bindir/nmnm"
for file in share/nmnm/hk.bmp share/nmnm/pt.bmp share/applications/nmnm.desktop \
  share/metainfo/org.example.nmnm.metainfo.xml share/man/man6/nmnm.6 share/man/man1/nmnm-replay.1 \
  "$bindir/nmnm-replay"; do
  [ -s "$prefix/$file" ] || fail "nothing installed at $file"
done
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/nmnm.png
  [ -s "$icon" ] || { fail "no $size pixel icon installed"; continue; }
  # Bytes 16..23 of a PNG hold its width and height.
  [ "$(od -An -tu4 --endian=big -j16 -N8 "$icon" | tr -s ' ')" = " $size $size" ] ||
    fail "the icon in ${size}x$size is not $size pixels square"
done
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli rejects the installed tree: $out"
fi

# The installed program answers from anywhere.
mkdir "$work/elsewhere"
out=$(cd "$work/elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY "$game" --version 2>&1) ||
  fail "the installed nmnm --version failed: $out"
[ "$out" = "nmnm $version" ] || fail "the installed nmnm --version says '$out'"
end_if_failed

if ! command -v Xvfb >/dev/null; then
  echo "install_test: files installed; Xvfb is not installed, so the game is not run (scripts/setup.sh installs it)"
  exit 77
fi

# Every pixel of the installed background becomes index 255, which the game
# always shows as white.
head -c $((640 * 480)) /dev/zero | tr '\0' '\377' |
  dd of="$prefix/share/nmnm/hk.bmp" bs=1078 seek=1 conv=notrunc status=none ||
  stop "could not whiten the installed hk.bmp"

start_xvfb 1024x768x24
[ -s "$work/display" ] || stop "no screen to run the installed game on"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

(cd "$work/elsewhere" && exec "$game") 2>"$work/stderr" &
game_pid=$!

# The top-left corner of the title holds no text: once the fade is done it is
# the background alone. A fly may cross it, so most of it is enough.
corner="0 0 160 120"
total=$("$probe" count $corner 0 0 0 255 2>/dev/null) || total=0
white=0
for _ in $(seq 300); do
  kill -0 "$game_pid" 2>/dev/null || break
  total=$("$probe" count $corner 0 0 0 255 2>/dev/null) || total=0
  white=$("$probe" count $corner 255 255 255 8 2>/dev/null) || white=0
  [ "$total" -gt 0 ] && [ "$white" -ge $((total * 9 / 10)) ] && break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null || stop "the installed game ended at start"
[ "$total" -gt 0 ] || stop "the screen could not be read"
[ "$white" -ge $((total * 9 / 10)) ] ||
  stop "the installed game did not show the installed background ($white of $total corner pixels white)"
grep -q 'hk\.bmp\|pt\.bmp' "$work/stderr" && stop "the installed game complained about a picture"

kill -TERM "$game_pid"
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
wait "$game_pid"
code=$?
game_pid=""
[ "$code" -eq 0 ] || stop "exit code $code after SIGTERM"
echo "install_test: installed under $bindir and share/, ran from another folder: $white of $total corner pixels show the installed background"
