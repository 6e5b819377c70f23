#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing nmnm needs,
# the Windows cross compilers, Wine and the browser build's emscripten
# included.
# Safe to run again: it installs only what is missing. Extra package names
# given as arguments are installed too (the fuzzing script asks for clang);
# --no-windows leaves out the Windows tool chain and Wine, --no-web the
# browser build's tools (playing on Linux needs none of them).
set -euo pipefail

windows=yes
web=yes
while [ $# -gt 0 ]; do
  case "$1" in
    --no-windows) windows=no ;;
    --no-web) web=no ;;
    *) break ;;
  esac
  shift
done

PACKAGES=(
  build-essential cmake pkg-config git
  libgtest-dev
  libsdl2-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-mincho
  libmspack-dev mscompress
  zlib1g-dev
  libx11-dev libxfixes-dev
  xvfb xdotool x11-utils openbox
  desktop-file-utils appstream groff-base
  ffmpeg  # nmnm-replay --video encodes through it
  zip unzip  # the release zips and their test
  clang-format  # the C++ layout check (tests/format)
  "$@"
)
WINDOWS_PACKAGES=(
  googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 wine32:i386
  qemu-user-static  # 32-bit programs where the kernel runs none (scripts/qemu-i386-binfmt.sh)
)
[ "$windows" = yes ] && PACKAGES+=("${WINDOWS_PACKAGES[@]}")
# The browser build: Debian's emscripten, whose programs and tests run under
# node. A node (and npm) already installed from elsewhere is used as it is:
# Debian's would not install over it.
if [ "$web" = yes ]; then
  # dpkg-dev unpacks the libmspack source the browser build compiles.
  PACKAGES+=(emscripten chromium-headless-shell dpkg-dev)
  command -v node >/dev/null || PACKAGES+=(nodejs)
  command -v npm >/dev/null || PACKAGES+=(npm)
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# Wine runs 32-bit Windows programs with 32-bit Linux libraries: wine32 comes
# from the i386 architecture, which a 64-bit Debian does not list by default.
if [ "$windows" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: enabling the i386 architecture (for wine32)"
  $SUDO dpkg --add-architecture i386
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The page's tests drive Debian's chromium-headless-shell through
# puppeteer-core, pinned in tests/page/package-lock.json with the
# JavaScript's formatter and linter (prettier, eslint); it never downloads
# a browser.
page_tests="$(dirname "$0")/../tests/page"
if [ "$web" = yes ] && { [ ! -d "$page_tests/node_modules" ] ||
  [ "$page_tests/package-lock.json" -nt "$page_tests/node_modules" ]; }; then
  echo "setup: installing the page tests' node modules (npm ci in tests/page)"
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$page_tests" --no-audit --no-fund --loglevel=error >/dev/null
fi

# The browser build compiles libmspack's SZDD reader from Debian's source of
# the version the Linux build links; fetched into ~/.cache/nmnm, checked
# against its .dsc, with apt's own sources left as they are.
if [ "$web" = yes ]; then
  "$(dirname "$0")/fetch-libmspack-source.sh" >/dev/null
fi
