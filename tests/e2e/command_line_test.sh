#!/usr/bin/env bash
# Runs the built game with each argument it answers, with no display to open:
# --version and --help answer on stdout and exit 0, anything else is named on
# stderr with the usage and exits 2. Opening a window here would fail loudly.
# Usage: command_line_test.sh path/to/nmnm VERSION
set -uo pipefail
game=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
label=command_line_test
source "$(dirname "$0")/../support/checks.sh"

# Runs the game with the given arguments; sets code, out and err.
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$game" "$@" >"$work/out" 2>"$work/err"
  code=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}

run --version
[ "$code" -eq 0 ] || fail "--version: exit code $code, want 0"
[ "$out" = "nmnm $version" ] || fail "--version: stdout '$out', want 'nmnm $version'"
[ -z "$err" ] || fail "--version: wrote to stderr: $err"

run --help
[ "$code" -eq 0 ] || fail "--help: exit code $code, want 0"
[ "$(head -n1 "$work/out")" = "usage: nmnm [--record FILE | --watch FILE | --help | --version]" ] || fail "--help: first line '$(head -n1 "$work/out")'"
[ "$(wc -l <"$work/out")" -le 6 ] || fail "--help: more than six lines"
[ -z "$err" ] || fail "--help: wrote to stderr: $err"

for args in "--bogus" "-h" "--version --help" "--help extra" "play" "--record x extra"; do
  # shellcheck disable=SC2086  # the case is a list of arguments
  run $args
  odd=${args##* }
  [ "$code" -eq 2 ] || fail "'$args': exit code $code, want 2"
  [ -z "$out" ] || fail "'$args': wrote to stdout: $out"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "'$args': stderr is not one line: $err"
  case "$err" in *"'$odd'"*"usage: nmnm [--record FILE | --watch FILE | --help | --version]"*) ;; *) fail "'$args': stderr does not name '$odd' with the usage: $err" ;; esac
done

# A run file that cannot be written stops the game before any window opens.
run --record "$work/no/such/folder/run.nmnm-run"
[ "$code" -eq 1 ] || fail "--record into a missing folder: exit code $code, want 1"
case "$err" in *"$work/no/such/folder/run.nmnm-run"*) ;; *) fail "--record into a missing folder: not named: $err" ;; esac
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "--record into a missing folder: stderr is not one line: $err"

end_if_failed
echo "command_line_test: --version, --help, six mistakes and an unwritable --record answered"
