# Sourced by the benchmarks' shell scripts: the tree's root, a screen of their
# own (scripts/lib/xvfb.sh), a player's hand, and the arithmetic of CPU use.
# Set `name` before sourcing; what is started goes in `work`, removed on exit.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/xvfb.sh"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$name: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
work=$(mktemp -d)
# What a benchmark starts and has not stopped yet: stopped on exit, with the
# scratch folder removed.
xvfb_pid=""
game=""
bench_cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap bench_cleanup EXIT
# The game keeps its last runs in the data folder: a scratch one, so that
# benchmarks never push out the player's own.
export XDG_DATA_HOME="$work/data"
hz=$(getconf CLK_TCK)

# Seconds since the epoch, to the nanosecond.
now() { date +%s.%N; }
# User and system clock ticks of a process so far; 0 with no process.
ticks() { if [ -n "$1" ]; then awk '{print $14 + $15}' "/proc/$1/stat"; else echo 0; fi; }
# TICKS over the wall-clock stretch START END, as a percent of one core.
percent() { awk -v t="$1" -v hz="$hz" -v s="$2" -v e="$3" 'BEGIN { printf "%.2f", 100 * t / hz / (e - s) }'; }
# The median of the numbers on stdin, one a line; "-" without any.
median() { sort -g | awk '{v[NR] = $1} END {print NR ? v[int((NR + 1) / 2)] : "-"}'; }

# play_for SECONDS WIDTH HEIGHT: the mouse keeps sweeping across the middle
# of the screen and swings every 0.2 s, as a player's would.
play_for() {
  local end=$(($(date +%s) + $1)) w=$2 h=$3 x=$(($2 / 5))
  while [ "$(date +%s)" -lt "$end" ]; do
    x=$((x >= w * 4 / 5 ? w / 5 : x + w / 25))
    xdotool mousemove "$x" $((h / 2)) click 1
    sleep 0.2
  done
}
