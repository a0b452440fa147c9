#!/usr/bin/env bash
# Every C++ file of the project as the committed .clang-format lays it out; lists the ones that are not.
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/kalven-format.$$; then
  grep -o '^[^:]*\.\(cpp\|h\):' /tmp/kalven-format.$$ | sort -u | sed 's/:$/: not formatted (scripts\/check_format.sh --fix)/' >&2
  rm -f /tmp/kalven-format.$$
  exit 1
fi
rm -f /tmp/kalven-format.$$
