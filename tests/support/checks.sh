# Sourced by test scripts that run every check and report each failure
# before they end. Set `label` before sourcing.
#   fail WHAT       names one failed check and counts it
#   end_if_failed   exits 1 when any check failed
failures=0
fail() {
  echo "$label: FAIL: $*"
  failures=$((failures + 1))
}
end_if_failed() {
  [ "$failures" -eq 0 ] || exit 1
}
