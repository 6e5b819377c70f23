#!/usr/bin/env bash
# Lays out every source file of the tree as the checks expect: the C++ with
# clang-format 14 (.clang-format), the JavaScript with prettier
# (.prettierrc.json), then lists what eslint (eslint.config.mjs) still finds.
# prettier and eslint come from tests/page/node_modules (scripts/setup.sh runs
# npm ci there). Usage: scripts/format.sh [FILE...]  (no files: all of them)
set -euo pipefail
cd "$(dirname "$0")/.."
modules=tests/page/node_modules/.bin

if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.js' '*.mjs' '*.cjs')
fi
cxx=()
js=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue  # deleted, not yet committed
  case $f in
    *.cpp | *.h) cxx+=("$f") ;;
    *.js | *.mjs | *.cjs) js+=("$f") ;;
  esac
done

if [ ${#cxx[@]} -gt 0 ]; then
  tool=$(command -v clang-format-14 || command -v clang-format || true)
  [ -n "$tool" ] || { echo "format: clang-format is missing; run scripts/setup.sh" >&2; exit 1; }
  "$tool" -i --style=file "${cxx[@]}"
  echo "format: ${#cxx[@]} C++ files laid out ($(basename "$tool"))"
fi
if [ ${#js[@]} -gt 0 ]; then
  [ -x "$modules/prettier" ] || { echo "format: prettier is missing in tests/page/node_modules; run scripts/setup.sh" >&2; exit 1; }
  "$modules/prettier" --write --log-level warn "${js[@]}"
  echo "format: ${#js[@]} JavaScript files laid out (prettier)"
  "$modules/eslint" --max-warnings 0 "${js[@]}" || { echo "format: eslint found the faults above; mend them by hand" >&2; exit 1; }
fi
