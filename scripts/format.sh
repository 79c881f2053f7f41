#!/usr/bin/env bash
# Formats every C++ source of the project in place with the house style
# (.clang-format); with --check, lists the files that would change and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  bad=0
  for f in "${files[@]}"; do
    if ! clang-format "$f" | cmp -s "$f" -; then echo "$f"; bad=1; fi
  done
  exit $bad
fi
clang-format -i "${files[@]}"
