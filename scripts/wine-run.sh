#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own (never ~/.wine),
# making the prefix on first use.
#   scripts/wine-run.sh PREFIX win32|win64 PROGRAM.exe [ARGS...]
#   scripts/wine-run.sh --can-run win32|win64   (exit 0 when this machine can)
# The Windows toolchain files use it to run programs and tests of a build.
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

if [ $# -lt 3 ]; then
  echo "usage: scripts/wine-run.sh PREFIX win32|win64 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi
prefix=$(realpath -m -- "$1") arch=$2
shift 2
loader=$(loader_of "$arch")
can_run "$arch" || exit $?

export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or HTML, and asking would block.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.nmnm-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Tests start in parallel: one of them makes the prefix, the others wait.
  (
    flock 9
    if [ ! -f "$prefix/.nmnm-ready" ]; then
      "$loader" wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$prefix/.nmnm-ready"
    fi
  ) 9>"$prefix.lock"
fi
exec "$loader" "$@"
