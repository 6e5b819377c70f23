#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own (never ~/.wine),
# making the prefix on first use.
#   scripts/wine-run.sh PREFIX win32|win64 [PROGRAM.exe [ARGS...]]   (no program: the prefix only)
#   scripts/wine-run.sh --can-run win32|win64   (exit 0 when this machine can)
# The Windows toolchain files use it to run programs and tests of a build.
# Where the kernel runs no 32-bit programs, the 32-bit ones run through
# qemu-i386-static once scripts/qemu-i386-binfmt.sh has registered it;
# NMNM_WINE_EMULATE=1 takes that route here too, for trying it (see below).
# Each flavour goes straight to its own Wine loader: Debian's `wine` picks the
# 32-bit one whenever it is installed, even for a 64-bit prefix.
set -euo pipefail
loader_of() {
  case $1 in
    win32) echo /usr/lib/wine/wine ;;
    win64) echo /usr/lib/wine/wine64 ;;
    *) echo "wine-run: unknown flavour $1 (win32 or win64)" >&2; exit 2 ;;
  esac
}

# A kernel without 32-bit support (some virtual machines) cannot start the
# 32-bit loader at all: say so once, with exit code 77 (a skip to CTest).
can_run() {
  local loader
  loader=$(loader_of "$1")
  if [ ! -x "$loader" ]; then
    echo "wine-run: $loader is missing; run scripts/setup.sh" >&2
    return 2
  fi
  if ! "$loader" --version >/dev/null 2>&1; then
    echo "wine-run: this machine cannot start $loader (its kernel runs no ${1#win}-bit programs); the $1 programs cannot run here" >&2
    return 77
  fi
}

if [ "${1:-}" = --can-run ]; then
  can_run "${2:-}"
  exit $?
fi

if [ $# -lt 2 ]; then
  echo "usage: scripts/wine-run.sh PREFIX win32|win64 [PROGRAM.exe [ARGS...]]" >&2
  exit 2
fi
prefix=$(realpath -m -- "$1") arch=$2
shift 2
loader=$(loader_of "$arch")
here=$(dirname -- "$(realpath -- "$0")")
binfmt=/proc/sys/fs/binfmt_misc/nmnm-qemu-i386

# NMNM_WINE_EMULATE=1: the 32-bit programs go through qemu-i386-static even
# where the kernel runs them itself. Wine starts every program (its own
# helpers too) as a new 32-bit process, so starting the loader through the
# emulator is not enough: the emulator is registered for i386 files in a user
# namespace of this run's own, where the kernel keeps a binfmt_misc apart
# from the machine's, so nothing changes for any other program.
if [ "$arch" = win32 ] && [ "${NMNM_WINE_EMULATE:-0}" = 1 ] && [ ! -e "$binfmt" ]; then
  exec unshare --user --map-root-user --mount -- bash -c '"$0" register --always && exec "$@"' \
    "$here/qemu-i386-binfmt.sh" "$0" "$prefix" "$arch" "$@"
fi
can_run "$arch" || exit $?

export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or HTML, and asking would block.
overrides="mscoree,mshtml="
if [ "$arch" = win32 ] && [ -e "$binfmt" ]; then
  # Through the emulator. Its default layout puts Wine's first mappings just
  # below 2 GiB, where Wine's shared user data must go, and every start
  # fails ("failed to map the shared user data"): the whole 4 GiB instead.
  export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xffff0000}
  # Debian's wineserver ends with the last program (-p0), so each start of a
  # program is a new session, and Wine boots one by starting wineboot.exe,
  # services.exe, winedevice.exe, plugplay.exe, explorer.exe: each minutes
  # emulated. Programs need none of them, so only the prefix's making runs
  # wineboot. Without an X display the desktop (explorer.exe, which any use
  # of GDI starts) can show nothing either: it is left out too.
  program_overrides="$overrides;wineboot.exe,winemenubuilder.exe=d"
  [ -n "${DISPLAY:-}" ] || program_overrides="$overrides;wineboot.exe,winemenubuilder.exe,explorer.exe=d"
else
  program_overrides=$overrides
fi

# The prefix is made once, and again when Wine's own setup file changes (a
# new Wine): the same test Wine makes, which it leaves to wineboot.
wine_inf=$(stat -c %Y /usr/share/wine/wine.inf 2>/dev/null || echo unknown)
ready() { [ "$(cat "$prefix/.nmnm-ready" 2>/dev/null)" = "$wine_inf" ]; }
# Runs wineboot with OPTION and waits for its session to end: the prefix is
# made when the wineboot that boots the session says so. Through the emulator
# that takes many minutes, and the wineboot started here stops waiting for
# it long before (so its exit code says nothing); a wait cut short leaves a
# prefix that Wine takes for made, so ending the session comes last, and
# only after an hour (asking the server to save the registry first).
boot() {
  local log=$prefix.boot.log
  WINEDLLOVERRIDES="$overrides;winemenubuilder.exe=d" "$loader" wineboot "$1" >"$log" 2>&1
  timeout "${NMNM_WINE_BOOT_WAIT:-3600}" wineserver -w || wineserver -k15 || true
  grep -q "configuration in .* has been updated" "$log"
}
if ! ready; then
  mkdir -p "$(dirname "$prefix")"
  # Tests start in parallel: one of them makes the prefix, the others wait.
  (
    flock 9
    if ! ready; then
      # A prefix Wine takes for made is brought up to date by force.
      boot -i || boot -u || { echo "wine-run: making the Wine prefix $prefix failed (see $prefix.boot.log)" >&2; exit 1; }
      echo "$wine_inf" >"$prefix/.nmnm-ready"
    fi
  ) 9>"$prefix.lock" || exit 1
fi
[ $# -gt 0 ] || exit 0  # the prefix alone
export WINEDLLOVERRIDES=$program_overrides
exec "$loader" "$@"
