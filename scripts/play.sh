#!/usr/bin/env bash
# Sets up, builds and starts the game. With --web: builds the browser page
# (build-web/page) and serves it on 127.0.0.1; open the address it prints.
set -euo pipefail
cd "$(dirname "$0")/.."
web=no
if [ "${1:-}" = --web ]; then
  web=yes
  shift
fi
if [ "$web" = yes ]; then
  scripts/setup.sh --no-windows
else
  scripts/setup.sh --no-windows --no-web
fi
cmake --preset linux >/dev/null
if [ "$web" = no ]; then
  cmake --build --preset linux -j "$(nproc)" --target nmnm
  exec build/bin/nmnm
fi

# The browser build takes the pictures, the icons and the baked glyphs from
# the Linux build, stamped with the sources they were made from.
cmake --build --preset linux -j "$(nproc)" --target nmnm_cross_parts
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)" --target nmnm_page
port=${NMNM_WEB_PORT:-8000}
if ! python3 -c 'import socket, sys; socket.socket().bind(("127.0.0.1", int(sys.argv[1])))' "$port" 2>/dev/null; then
  echo "play: port $port on 127.0.0.1 is taken; start again with NMNM_WEB_PORT set to a free port" >&2
  exit 1
fi
echo "nmnm: open http://127.0.0.1:$port/ in a browser (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/page
