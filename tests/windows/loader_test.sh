#!/usr/bin/env bash
# The picture loader of the Windows build under Wine, on the files a player
# might really have: an mscompress (SZDD) copy of the background loads exactly
# like the plain one; an empty hk.bmp gives one clear line and no crash. (A
# cut-short or non-bitmap file, passed through as plain, is the core tests'.)
# Usage: loader_test.sh path/to/nmnm-loadcheck.exe path/to/hk.bmp RUNNER...
set -uo pipefail
check=$1
picture=$2
shift 2
runner=("$@")
command -v mscompress >/dev/null || { echo "loader_test: mscompress is missing; run scripts/setup.sh"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
label=loader_test
source "$(dirname "$0")/../support/checks.sh"

# Runs the check on `hk.bmp` in a folder of its own; sets out, err and code.
load() {
  local folder=$work/$1
  cd "$folder" || exit 1
  out=$("${runner[@]}" "$check" hk.bmp 2>"$folder/stderr")
  code=$?
  err=$(tr -d '\r' <"$folder/stderr")
  cd - >/dev/null || exit 1
}

mkdir "$work/plain" "$work/szdd" "$work/empty"
cp "$picture" "$work/plain/hk.bmp"
# Debian's mscompress writes NAME_ (an underscore added) in the SZDD form COMPRESS.EXE used.
cp "$picture" "$work/szdd/plain.bmp"
(cd "$work/szdd" && mscompress plain.bmp) && mv "$work/szdd/plain.bmp_" "$work/szdd/hk.bmp"
rm -f "$work/szdd/plain.bmp"
: >"$work/empty/hk.bmp"
[ "$(head -c 4 "$work/szdd/hk.bmp")" = SZDD ] || fail "mscompress did not write an SZDD file"

load plain
plain=$out
[ "$code" -eq 0 ] && [[ $plain == loaded* ]] || fail "case plain: exit $code, output '$plain', stderr '$err'"
load szdd
[ "$code" -eq 0 ] || fail "case SZDD: exit $code, stderr '$err'"
[ "$out" = "$plain" ] || fail "case SZDD: '$out' differs from the plain file's '$plain'"

load empty
[ "$code" -eq 1 ] || fail "case empty: exit $code, not the loader's refusal (a crash is over 1)"
[[ $err == *"cannot load hk.bmp: "* ]] || fail "case empty: no clear line on stderr: '$err'"
[ "$(printf '%s\n' "$err" | grep -c .)" -eq 1 ] || fail "case empty: more than one line on stderr: '$err'"

end_if_failed
echo "loader_test: plain and SZDD alike ($plain); an empty file refused clearly"
