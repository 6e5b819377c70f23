# Sourced by the tests and the benchmarks that run a program on a screen of
# their own. xvfb_start SIZE LOG starts an Xvfb of SIZE (WIDTHxHEIGHTxDEPTH)
# on a display number it picks itself, so that parallel runs never collide,
# and makes it DISPLAY; its pid goes in xvfb_pid, its messages in LOG. Nothing
# it starts keeps the caller's output open. Returns 1 when no screen came up
# within ten seconds.
xvfb_start() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$number" >/dev/null 2>"$2" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  if [ ! -s "$number" ]; then
    rm -f "$number"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$number")"
  unset WAYLAND_DISPLAY
  rm -f "$number"
}
