#!/usr/bin/env bash
# Builds every file a version ships, from a clean copy of the committed tree,
# into dist/VERSION/:
#   nmnm_VERSION_amd64.deb         the Debian package
#   nmnm-VERSION-win32.zip         the Windows game, 32- and 64-bit
#   nmnm-VERSION-win64.zip
#   nmnm-VERSION-web.zip           the page, for any static server
#   nmnm-VERSION.tar.gz            the source
#   RELEASE-NOTES.md               this version's section of CHANGELOG.md
#   SHA256SUMS
# and prints the files with their checksums. Times inside the files come from
# the last commit (SOURCE_DATE_EPOCH), so the same commit gives the same bytes.
#
#   scripts/release.sh            build dist/VERSION/
#   scripts/release.sh --check    build everything twice, in two folders one
#                                 after the other, and compare every file
# Uncommitted changes are not in a release: commit first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
mode=release
case "${1:-}" in
  "") ;;
  --check) mode=check ;;
  *) echo "usage: scripts/release.sh [--check]" >&2; exit 2 ;;
esac

scripts/setup.sh dpkg-dev debhelper fakeroot zip >/dev/null
commit=$(git rev-parse --verify HEAD)
version=$(sed -n 's/^project(nmnm VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt's project()" >&2; exit 1; }
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export TZ=UTC0 LC_ALL=C.UTF-8
# Every object compiled afresh: a cached one would hide a difference.
export CCACHE_DISABLE=1
jobs=$(nproc)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: uncommitted changes are left out; releasing commit ${commit:0:12}" >&2
fi

notes_of() {  # the section '## [VERSION] ...' of CHANGELOG.md, without its heading
  awk -v v="$1" '
    /^## \[/ { if (on) exit; if (index($0, "## [" v "]") == 1) { on = 1; next } }
    on' "$2"
}

# build_all WORK OUT: every release file of $commit into OUT, built in WORK.
build_all() {
  local work=$1 out=$2 src
  mkdir -p "$work" "$out"
  src=$work/nmnm-$version
  log=$work/build.log
  echo "release: building $version (${commit:0:12}) in $work"
  git archive --format=tar --prefix="nmnm-$version/" "$commit" | tar -xf - -C "$work"
  git archive --format=tar --prefix="nmnm-$version/" "$commit" | gzip -9n >"$out/nmnm-$version.tar.gz"

  notes_of "$version" "$src/CHANGELOG.md" >"$out/RELEASE-NOTES.md"
  [ -s "$out/RELEASE-NOTES.md" ] || { echo "release: CHANGELOG.md has no section for $version" >&2; return 1; }

  # The package, as Debian builds it (its tests are scripts/test.sh's business).
  (cd "$src" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b) >>"$log" 2>&1 ||
    { echo "release: the Debian package failed to build; see $log" >&2; return 1; }
  cp "$work/nmnm_${version}_amd64.deb" "$out/"

  # The Linux programs the cross builds take their pictures, icons and glyphs from.
  cmake -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNMNM_BUILD_TESTS=OFF >>"$log"
  cmake --build "$work/build" -j "$jobs" >>"$log"

  local flavour
  for flavour in win32 win64; do
    local toolchain=cmake/toolchain-i686-w64-mingw32.cmake
    [ "$flavour" = win64 ] && toolchain=cmake/toolchain-x86_64-w64-mingw32.cmake
    cmake -S "$src" -B "$work/build-$flavour" --toolchain "$src/$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DNMNM_BUILD_TESTS=OFF \
      -DNMNM_LINUX_TOOLS_DIR="$work/build/bin" >>"$log"
    cmake --build "$work/build-$flavour" -j "$jobs" >>"$log"
    cmake --install "$work/build-$flavour" --component windows --strip \
      --prefix "$work/stage/nmnm-$version-$flavour" >>"$log"
    "$root/scripts/lib/repro-zip.sh" "$work/stage/nmnm-$version-$flavour" "$out/nmnm-$version-$flavour.zip"
  done

  cmake -S "$src" -B "$work/build-web" --toolchain "$src/cmake/toolchain-web.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNMNM_BUILD_TESTS=OFF -DNMNM_LINUX_TOOLS_DIR="$work/build/bin" >>"$log"
  cmake --build "$work/build-web" -j "$jobs" --target nmnm_page >>"$log"
  cp -R "$work/build-web/page" "$work/stage/nmnm-$version-web"
  "$root/scripts/lib/repro-zip.sh" "$work/stage/nmnm-$version-web" "$out/nmnm-$version-web.zip"

  (cd "$out" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%P\n' | sort | xargs sha256sum >SHA256SUMS)
}

# compare A B: every file of A against B, and inside the packages file by
# file, so that a difference is named where it is.
compare() {
  local a=$1 b=$2 name differ=0
  for name in $(cd "$a" && ls); do
    if cmp -s "$a/$name" "$b/$name"; then
      echo "identical  $name"
      continue
    fi
    differ=1
    echo "DIFFERS    $name"
    case $name in
      *.zip)
        diff <(zipinfo -l "$a/$name") <(zipinfo -l "$b/$name") | sed 's/^/           /' | head -20
        rm -rf "$check/unzip" && mkdir -p "$check/unzip/a" "$check/unzip/b"
        unzip -q "$a/$name" -d "$check/unzip/a" && unzip -q "$b/$name" -d "$check/unzip/b"
        diff -rq "$check/unzip/a" "$check/unzip/b" | sed 's/^/           /' ;;
      *.deb) diff <(dpkg-deb -c "$a/$name") <(dpkg-deb -c "$b/$name") | sed 's/^/           /' | head -20 ;;
    esac
  done
  [ -f "$b/SHA256SUMS" ] || differ=1
  return $differ
}

if [ "$mode" = release ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  out=$root/dist/$version
  rm -rf "$out"
  build_all "$work" "$out"
  echo "release: dist/$version"
  (cd "$out" && sed 's/^/  /' SHA256SUMS)
  exit 0
fi

# --check: two builds in different folders, the second begun after the first
# ended, with another umask; then every file compared.
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
build_all "$check/first/work" "$check/first/dist"
umask 0077
build_all "$check/second/the-other-folder" "$check/second/dist"
umask 0022
if compare "$check/first/dist" "$check/second/dist"; then
  echo "release --check: every file of $version identical across two builds"
else
  echo "release --check: some files of $version differ between two builds (above)"
  exit 1
fi
