#!/usr/bin/env bash
# Checks the package as a new Debian 12 user meets it: bootstraps a minimal
# bookworm into a folder (once; kept for later runs), installs the .deb there
# with apt-get (which must pull in every runtime library and the font), then
# as an ordinary user runs nmnm --version and the game itself under Xvfb,
# reading the screen with the test suite's probe. Needs root and the Debian
# archive. Usage: scripts/check-deb-bookworm.sh dist/nmnm_*.deb [CHROOT_DIR] [BUILD_DIR]
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/var/tmp/nmnm-bookworm}
build=${3:-build}
probe=$(realpath "$build/bin/nmnm_screen_probe")
[ -x "$probe" ] || { echo "check-deb: no $build/bin/nmnm_screen_probe; build the tests first"; exit 1; }
command -v debootstrap >/dev/null || { echo "check-deb: debootstrap is missing; apt-get install debootstrap"; exit 1; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/nmnm.deb"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

in_root apt-get update -qq
in_root apt-get install -y -qq /tmp/nmnm.deb >/dev/null
echo "check-deb: installed; $(in_root dpkg-query -W -f='${Package} ${Version} ${Status}' nmnm)"
in_root id player >/dev/null 2>&1 || in_root useradd -m -s /bin/bash player
version=$(in_root su - player -c 'nmnm --version')
echo "check-deb: as a user, nmnm --version says: $version"

# The game under Xvfb: Xvfb and the window tools are test tools, installed
# only after the package so that they cannot hide a missing dependency.
in_root apt-get install -y -qq --no-install-recommends xvfb x11-utils xdotool >/dev/null
cp "$probe" "$root/usr/local/bin/nmnm_screen_probe"
cat >"$root/tmp/run_game.sh" <<'INNER'
#!/bin/bash
Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
sleep 2
su - player -c 'cd /tmp; DISPLAY=:7 nmnm 2>/tmp/nmnm.err & echo $! >/tmp/nmnm.pid'
export DISPLAY=:7
sleep 6
blue=$(nmnm_screen_probe count 224 296 440 320 0 0 255 110)
black=$(nmnm_screen_probe count 0 0 640 480 0 0 0 0)
total=$(nmnm_screen_probe count 0 0 640 480 0 0 0 255)
icon=$(xprop -id "$(xdotool search --name '^nmnm$' | head -n1)" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | head -n1)
kill "$(cat /tmp/nmnm.pid)"
ended="still running 5 s after SIGTERM"
for _ in $(seq 50); do kill -0 "$(cat /tmp/nmnm.pid)" 2>/dev/null || { ended="ended on SIGTERM"; break; }; sleep 0.1; done
kill $xvfb
echo "check-deb: the title's blue line has $blue pixels, $black of $total picture pixels are black, window icon: ${icon:-none}"
echo "check-deb: the game $ended; its stderr: $(cat /tmp/nmnm.err)"
[ "$blue" -ge 300 ] && [ "$black" -lt $((total / 10)) ] && [ -n "$icon" ] && [ "$ended" = "ended on SIGTERM" ]
INNER
chmod +x "$root/tmp/run_game.sh"
in_root /tmp/run_game.sh
echo "check-deb: the package installs and the game runs in a fresh Debian 12"
