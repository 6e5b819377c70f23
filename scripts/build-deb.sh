#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the committed and untracked
# (not ignored) files, runs lintian on it, and leaves nmnm_VERSION_ARCH.deb in
# dist/. Installs what building needs first. Usage: scripts/build-deb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dpkg-dev debhelper fakeroot lintian

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/nmnm"
# A clean tree: no build folders, nothing a previous package build left.
git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$work/nmnm"

(cd "$work/nmnm" && dpkg-buildpackage -us -uc -b)

mkdir -p dist
cp "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes dist/
changes=$(ls "$work"/*.changes)
echo "build-deb: lintian says:"
lintian --tag-display-limit 0 --info "$changes" || true
lintian "$changes" >/dev/null 2>&1 || { echo "build-deb: lintian found errors (above)"; exit 1; }
echo "build-deb: $(cd dist && ls nmnm_*.deb)"
