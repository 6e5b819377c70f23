#!/usr/bin/env bash
# Runs the window presentation tests (a Windows program) under Wine on an
# Xvfb screen of 1280 x 1024 of their own: they need a real window to read
# back. Without Xvfb they are skipped.
# Usage: present_under_wine.sh path/to/nmnm_present_tests.exe RUNNER...
set -uo pipefail
tests=$1
shift
runner=("$@")
label=present_under_wine
source "$(dirname "$0")/../../e2e/x_session.sh"
need_screen
end_wine_session
start_xvfb 1280x1024x24
"${runner[@]}" "$tests"
code=$?
end_wine_session
exit "$code"
