#!/usr/bin/env bash
# Checks that every C++ file of the tree keeps the layout .clang-format sets
# out, and names the files that do not. The layout is tuned to clang-format 14
# (Debian 12's); other versions lay the same options out a little differently,
# so with none of version 14 the check is skipped, not failed.
# Usage: format_check.sh SOURCE_DIR
# Exit status: 0 all laid out, 1 some files differ, 77 skipped (CTest's skip).
set -uo pipefail
cd "$1" || exit 1

tool=""
other=""
for candidate in clang-format-14 clang-format; do
  command -v "$candidate" >/dev/null || continue
  version=$("$candidate" --version 2>/dev/null)
  if [[ $version =~ version\ 14\. ]]; then
    tool=$candidate
    break
  fi
  other=$version
done
if [ -z "$tool" ] && [ -n "$other" ]; then
  echo "format_check: skipped: the layout is set for clang-format 14, this is '$other'; install Debian 12's clang-format"
  exit 77
elif [ -z "$tool" ]; then
  echo "format_check: skipped: clang-format is missing; run scripts/setup.sh (or: sudo apt-get install clang-format)"
  exit 77
fi
[ -f .clang-format ] || { echo "format_check: no .clang-format in $PWD"; exit 1; }

# The files git knows of (new ones too, ignored ones not); outside a git
# checkout (an unpacked source tree), every C++ file outside build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . \( -name .git -o -path './build*' -o -path './obj-*' -o -path ./out -o -path ./dist \
    -o -path ./debian \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi

# One run over every file; --dry-run names each place that would change.
mapfile -t present < <(for f in "${files[@]}"; do [ -f "$f" ] && echo "$f"; done)  # not deleted, uncommitted
[ ${#present[@]} -gt 0 ] || { echo "format_check: FAIL: no C++ files found in $PWD"; exit 1; }
report=$("$tool" --dry-run --Werror --style=file "${present[@]}" 2>&1)
status=$?
mapfile -t differ < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | uniq)

if [ $status -ne 0 ] && [ ${#differ[@]} -eq 0 ]; then
  # Not a layout difference: a bad .clang-format, an unreadable file.
  echo "format_check: FAIL: $tool could not check the files:"
  head -n 20 <<<"$report"
  exit 1
fi
if [ ${#differ[@]} -eq 0 ]; then
  echo "format_check: all ${#present[@]} C++ files keep the .clang-format layout ($tool)"
  exit 0
fi
echo "format_check: FAIL: ${#differ[@]} of ${#present[@]} C++ files differ from the .clang-format layout:"
printf '  %s\n' "${differ[@]}"
# The first few changes in full, so that the fault shows without a rerun.
for f in "${differ[@]:0:3}"; do
  diff -u --label "$f" --label "$f (laid out)" "$f" <("$tool" --style=file "$f") | head -n 20 | sed 's/^/    /'
done
echo "format_check: lay them out with: (cd $PWD && $tool -i ${differ[*]})"
exit 1
