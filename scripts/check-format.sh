#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what .clang-format makes of it, and names the
# files: scripts/check-format.sh [FILE...] (default: every tracked .cpp and .h).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) && {
    echo "formatting: ${#files[@]} files as .clang-format says"
    exit 0
}
echo "not formatted as .clang-format says (run clang-format -i on them):" >&2
grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
exit 1
