#!/usr/bin/env bash
# Packs FOLDER into ZIP so that the same files always give the same bytes:
# FOLDER's name is the zip's one top folder, entries go in byte order of their
# names (a folder before what it holds), every entry carries the time of
# SOURCE_DATE_EPOCH, folders and programs (any execute bit) are 755 and the
# rest 644, and no owner, group or extra time fields are stored. The caller's
# files are left as they are.
# Usage: SOURCE_DATE_EPOCH=SECONDS scripts/lib/repro-zip.sh FOLDER ZIP
set -euo pipefail
if [ $# -ne 2 ] || [ ! -d "$1" ]; then
  echo "usage: SOURCE_DATE_EPOCH=SECONDS repro-zip.sh FOLDER ZIP" >&2
  exit 2
fi
: "${SOURCE_DATE_EPOCH:?repro-zip: set SOURCE_DATE_EPOCH (seconds since 1970, UTC) for the entries\' time}"
command -v zip >/dev/null || { echo "repro-zip: zip is missing; run scripts/setup.sh" >&2; exit 1; }
out=$(realpath -m -- "$2")
name=$(basename -- "$(realpath -- "$1")")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -R -- "$1" "$stage/$name"
find "$stage/$name" -type d -exec chmod 755 {} +
find "$stage/$name" -type f -perm /111 -exec chmod 755 {} +
find "$stage/$name" -type f ! -perm /111 -exec chmod 644 {} +
find "$stage/$name" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f -- "$out"
# zip writes local time into each entry: UTC makes it the same everywhere.
(cd "$stage" && find "$name" -print | LC_ALL=C sort | TZ=UTC0 zip -X -q -9 "$out" -@)
