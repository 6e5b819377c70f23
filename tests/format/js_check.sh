#!/usr/bin/env bash
# Checks that every JavaScript file of the tree keeps the layout prettier sets
# out (.prettierrc.json) and passes eslint (eslint.config.mjs), and names the
# files that do not. Both come from tests/page/node_modules (npm ci there, as
# scripts/setup.sh does); without node or those modules the check is skipped.
# Usage: js_check.sh SOURCE_DIR
# Exit status: 0 all well, 1 some files differ or fail, 77 skipped (CTest's skip).
set -uo pipefail
cd "$1" || exit 1
modules=tests/page/node_modules

if ! command -v node >/dev/null; then
  echo "js_check: skipped: node is missing; run scripts/setup.sh (or: sudo apt-get install nodejs)"
  exit 77
elif [ ! -f $modules/prettier/package.json ] || [ ! -f $modules/eslint/package.json ]; then
  echo "js_check: skipped: prettier or eslint is missing in $modules; run scripts/setup.sh (npm ci there)"
  exit 77
fi

# The files git knows of (new ones too, ignored ones not); outside a git
# checkout, every script outside build and module folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.js' '*.mjs' '*.cjs')
else
  mapfile -t files < <(find . \( -name .git -o -name node_modules -o -path './build*' -o -path './obj-*' -o -path ./out \
    -o -path ./dist -o -path ./debian \) -prune -o -type f \( -name '*.js' -o -name '*.mjs' -o -name '*.cjs' \) -print |
    sed 's|^\./||' | sort)
fi
mapfile -t present < <(for f in "${files[@]}"; do [ -f "$f" ] && echo "$f"; done)  # not deleted, uncommitted
[ ${#present[@]} -gt 0 ] || { echo "js_check: FAIL: no JavaScript files found in $PWD"; exit 1; }

status=0
report=$(node $modules/prettier/bin/prettier.cjs --list-different "${present[@]}" 2>&1)
case $? in
  0) ;;
  1)
    echo "js_check: FAIL: files that differ from the prettier layout:"
    sed 's/^/  /' <<<"$report"
    status=1
    ;;
  *)
    echo "js_check: FAIL: prettier could not check the files:"
    head -n 20 <<<"$report"
    status=1
    ;;
esac
if ! report=$(node $modules/eslint/bin/eslint.js --max-warnings 0 "${present[@]}" 2>&1); then
  echo "js_check: FAIL: eslint:"
  head -n 60 <<<"$report"
  status=1
fi
if [ $status -eq 0 ]; then
  echo "js_check: all ${#present[@]} JavaScript files keep the prettier layout and pass eslint"
else
  echo "js_check: lay them out with scripts/format.sh; mend what eslint names by hand"
fi
exit $status
