#!/usr/bin/env bash
# Runs the window presentation tests (a Windows program) under Wine on an
# Xvfb screen of 1280 x 1024 of their own: they need a real window to read
# back. Without Xvfb they are skipped.
# Usage: present_under_wine.sh path/to/nmnm_present_tests.exe RUNNER...
set -uo pipefail
tests=$1
shift
runner=("$@")
if ! command -v Xvfb >/dev/null; then
  echo "present_under_wine: Xvfb is not installed; skipping (scripts/setup.sh installs it)"
  exit 77
fi
# A Wine session begun without a screen (a console test's) keeps none for the
# programs that follow: end the prefix's session before and after.
end_wine_session() {
  if [[ ${runner[0]} == *wine-run.sh ]]; then WINEPREFIX=${runner[1]} wineserver -k 2>/dev/null; fi
  return 0
}
end_wine_session
label=present_under_wine
source "$(dirname "$0")/../../e2e/x_session.sh"
start_xvfb 1280x1024x24
"${runner[@]}" "$tests"
code=$?
end_wine_session
exit "$code"
