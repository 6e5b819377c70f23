#!/usr/bin/env bash
# The release zips: the same files give the same bytes whatever their times,
# modes and the umask, and the zip holds one top folder, entries in byte
# order, the release time and plain modes.
# Usage: repro_zip_test.sh SOURCE_DIR
set -uo pipefail
zipper=$1/scripts/lib/repro-zip.sh
label=repro_zip_test
source "$(dirname "$0")/../support/checks.sh"
command -v zipinfo >/dev/null || { echo "repro_zip_test: zipinfo is missing; run scripts/setup.sh"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=1765152000 # 2025-12-08 00:00:00 UTC

mkdir -p "$work/nmnm-1/b" && cd "$work"
printf 'one\n' >nmnm-1/b/z.txt
printf 'two\n' >nmnm-1/a.txt
printf 'MZ' >nmnm-1/nmnm.exe && chmod 700 nmnm-1/nmnm.exe
"$zipper" nmnm-1 first.zip || fail "the first zip is made"

touch -d '2001-02-03 04:05:06' nmnm-1/a.txt
chmod 600 nmnm-1/b/z.txt
(umask 077 && "$zipper" nmnm-1 second.zip) || fail "the second zip is made"
cmp -s first.zip second.zip || fail "other times, modes and umask give other bytes"

listing=$(zipinfo -l first.zip | awk '$1 ~ /^[-d]r/ { print $1, $8, $9, $10 }')
expected="drwxr-xr-x 25-Dec-08 00:00 nmnm-1/
-rw-r--r-- 25-Dec-08 00:00 nmnm-1/a.txt
drwxr-xr-x 25-Dec-08 00:00 nmnm-1/b/
-rw-r--r-- 25-Dec-08 00:00 nmnm-1/b/z.txt
-rwxr-xr-x 25-Dec-08 00:00 nmnm-1/nmnm.exe"
[ "$listing" = "$expected" ] || fail "entries, order, modes or times are not as released: $listing"
[ "$(stat -c %a nmnm-1/b/z.txt)" = 600 ] || fail "the caller's files are changed"

end_if_failed
echo "repro_zip_test: the same files give the same zip; order, modes and time as released"
