#!/usr/bin/env bash
# Fetches the source of the libmspack the Linux build links, for the browser
# build, which compiles its SZDD reader with emcc: Debian's source package of
# the installed libmspack-dev's version, unpacked in
# ~/.cache/nmnm/libmspack-VERSION/source (XDG_CACHE_HOME is honoured), where
# the browser build's CMake looks for it. Prints that folder.
#
# apt-get reads a private sources list with deb-src lines for bookworm and
# keeps its lists beside the source: the machine's own apt sources are
# neither read nor changed. apt checks the files against the signed index;
# here they are checked once more against the .dsc's SHA-256 sums before
# anything is unpacked. Does nothing when the source is there already.
# NMNM_DEBIAN_MIRROR names another Debian mirror (default deb.debian.org).
set -euo pipefail

say() { echo "fetch-libmspack-source: $*" >&2; }

version=$(dpkg-query -W -f='${Version}' libmspack-dev 2>/dev/null) || {
  say "libmspack-dev is not installed (scripts/setup.sh installs it)"
  exit 1
}
cache="${XDG_CACHE_HOME:-$HOME/.cache}/nmnm/libmspack-$version"
if [ -f "$cache/source/.verified" ]; then
  echo "$cache/source"
  exit 0
fi

mirror="${NMNM_DEBIAN_MIRROR:-http://deb.debian.org}"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
work="$cache/apt"
download="$work/download"
dsc="$download/libmspack_${version#*:}.dsc"
rm -rf "$work/lists" "$work/cache" "$cache/source"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$download"
for place in debian/bookworm debian/bookworm-updates debian-security/bookworm-security; do
  echo "deb-src [signed-by=$keyring] $mirror/${place%/*} ${place#*/} main"
done >"$work/sources.list"
apt_options=(
  -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache"
  -o APT::Sandbox::User="$(id -un)" -qq
)
# A .dsc already there (put by hand where there is no deb-src access) is
# checked as a fetched one would be.
if [ ! -f "$dsc" ]; then
  say "fetching Debian's source of libmspack $version (private apt lists in $work)"
  if ! apt-get "${apt_options[@]}" update >&2; then
    say "apt-get update failed: the browser build needs deb-src access to $mirror/debian"
    exit 1
  fi
  if ! (cd "$download" && apt-get "${apt_options[@]}" source --download-only "libmspack=$version" >&2); then
    say "libmspack $version's source is not in bookworm's deb-src at $mirror: put Debian's" \
      "$(basename "$dsc") and the files it names in $download and run this again"
    exit 1
  fi
fi

# Every file the .dsc lists, with the size and SHA-256 sum it states.
listed=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/{/^ /p}' "$dsc")
if [ -z "$listed" ]; then
  say "$dsc lists no SHA-256 sums"
  exit 1
fi
while read -r sum size name; do
  file="$download/$name"
  if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" != "$size" ] ||
    [ "$(sha256sum "$file" | cut -d' ' -f1)" != "$sum" ]; then
    say "$name does not match the SHA-256 sum and size in $(basename "$dsc"); nothing was unpacked"
    exit 1
  fi
done <<<"$listed"

# The sums are checked above; dpkg-source applies Debian's patches, if any.
dpkg-source --no-check -x "$dsc" "$cache/source" >/dev/null
rm -f "$cache"/libmspack_*.orig.tar.*  # dpkg-source's copy beside the tree
touch "$cache/source/.verified"
rm -rf "$work/lists" "$work/cache"
echo "$cache/source"
