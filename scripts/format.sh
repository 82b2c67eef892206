#!/usr/bin/env bash
# Checks that every C++ file the repository tracks is formatted as .clang-format says (the test
# suite runs this as the ctest test "Formatting"); with --fix, formats them in place.
#   CLANG_FORMAT  the clang-format to use (default: clang-format-16, which can insert braces)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
format="${CLANG_FORMAT:-clang-format-16}"
if ! command -v "$format" >/dev/null; then
    echo "format: $format is missing; run scripts/setup.sh first." >&2
    exit 1
fi
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--fix" ]]; then
    "$format" -i "${files[@]}"
else
    "$format" --dry-run --Werror "${files[@]}"
    echo "format: ${#files[@]} files formatted as .clang-format says."
fi
