#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own (never ~/.wine),
# making the prefix on first use.
#   scripts/wine-run.sh PREFIX win32|win64 PROGRAM.exe [ARGS...]
# The Windows toolchain files use it to run programs and tests of a build.
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: scripts/wine-run.sh PREFIX win32|win64 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi
prefix=$(realpath -m -- "$1") arch=$2
shift 2
if ! command -v wine >/dev/null; then
  echo "wine-run: wine is not installed; run scripts/setup.sh" >&2
  exit 2
fi

export WINEPREFIX=$prefix WINEARCH=$arch
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or HTML, and asking would block.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.nmnm-ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Tests start in parallel: one of them makes the prefix, the others wait.
  (
    flock 9
    if [ ! -f "$prefix/.nmnm-ready" ]; then
      wine wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$prefix/.nmnm-ready"
    fi
  ) 9>"$prefix.lock"
fi
exec wine "$@"
