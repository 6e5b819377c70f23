#!/usr/bin/env bash
# Checks the files that introduce the game to a desktop and a packager: the
# desktop entry and the AppStream metainfo pass their validators (offline),
# the manual page renders without a warning, they name each other and the
# icon consistently, and every place that states the version or the licence
# states the same.
# Usage: metadata_test.sh SOURCE_DIR VERSION
set -uo pipefail
src=$1
version=$2
desktop=$src/app/linux/nmnm.desktop
metainfo=$src/app/linux/org.example.nmnm.metainfo.xml
manpage=$src/app/linux/nmnm.6
label=metadata_test
source "$(dirname "$0")/../support/checks.sh"

for tool in desktop-file-validate appstreamcli groff; do
  command -v "$tool" >/dev/null || { echo "metadata_test: $tool is missing; run scripts/setup.sh"; exit 1; }
done

# Validators: no error and no warning either.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects the desktop entry: $out"
[ -z "$out" ] || fail "desktop-file-validate warns about the desktop entry: $out"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli rejects the metainfo: $out"
for page in "$manpage" "$src/tools/replay/nmnm-replay.1"; do
  out=$(groff -man -ww -z "$page" 2>&1)
  [ -z "$out" ] || fail "the manual page $(basename "$page") has roff warnings: $out"
done

# The pieces name each other: the icon by its theme name, the desktop entry
# by its installed file name, the program by its command.
grep -qx 'Icon=nmnm' "$desktop" || fail "the desktop entry does not name the icon nmnm"
grep -qx 'Exec=nmnm' "$desktop" || fail "the desktop entry does not run nmnm"
grep -q '<launchable type="desktop-id">nmnm.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch nmnm.desktop"
grep -q '<binary>nmnm</binary>' "$metainfo" || fail "the metainfo does not provide the binary nmnm"
grep -q '<screenshot type="default">' "$metainfo" || fail "the metainfo has no default screenshot"
grep -q '<content_rating type="oars-1.1">' "$metainfo" || fail "the metainfo has no content rating"

# One version everywhere: the newest release, the manual page, the Debian
# changelog, and a section of CHANGELOG.md, where the release notes come from.
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', the build says '$version'"
grep -q "^\.TH NMNM 6 [0-9-]* \"nmnm $version\"" "$manpage" || fail "the manual page's header does not say nmnm $version"
grep -q "^\.TH NMNM-REPLAY 1 [0-9-]* \"nmnm $version\"" "$src/tools/replay/nmnm-replay.1" ||
  fail "nmnm-replay's manual page header does not say nmnm $version"
grep -q "^## \[$version\] - [0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\$" "$src/CHANGELOG.md" ||
  fail "CHANGELOG.md has no '## [$version] - YYYY-MM-DD' section"
if [ -f "$src/debian/changelog" ]; then
  deb=$(head -n1 "$src/debian/changelog" | sed -n 's/^nmnm (\([^)-]*\).*/\1/p')
  [ "$deb" = "$version" ] || fail "debian/changelog's newest version is '$deb', the build says '$version'"
fi

# One licence everywhere, with the same holder and year: the licence file, the
# metainfo, the Windows version resource and the Debian copyright file.
license=$src/LICENSE
notice=$(sed -n 's/^Copyright (c) \([0-9]\{4\}\) \(.*\)$/\1 \2/p' "$license")
[ "$(head -n1 "$license")" = "MIT License" ] || fail "LICENSE does not start with 'MIT License'"
[ -n "$notice" ] || fail "LICENSE has no 'Copyright (c) YEAR HOLDER' line"
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metainfo does not give MIT as the project licence"
grep -q "VALUE \"LegalCopyright\", \"Copyright (C) $notice\..* MIT licence" "$src/app/windows/nmnm.rc" ||
  fail "app/windows/nmnm.rc's LegalCopyright does not name '$notice' and the MIT licence"
copyright=$src/debian/copyright
if [ -f "$copyright" ]; then
  # The paragraph for all files, then the licence text: LICENSE's own words,
  # indented one space, with '.' for the blank lines.
  all=$(sed -n '/^Files: \*$/,/^$/p' "$copyright")
  grep -qx "Copyright: $notice" <<<"$all" || fail "debian/copyright does not give 'Copyright: $notice' for all files"
  grep -qx 'License: Expat' <<<"$all" || fail "debian/copyright does not give the Expat licence for all files"
  text=$(awk -v RS= '/^License: Expat\n/ { sub(/^[^\n]*\n/, ""); print; exit }' "$copyright" | sed 's/^ //; s/^\.$//')
  [ "$text" = "$(tail -n +5 "$license")" ] || fail "debian/copyright's Expat text differs from LICENSE's"
fi

end_if_failed
echo "metadata_test: desktop entry, metainfo and manual page valid and agreeing on $version; MIT licence stated alike"
