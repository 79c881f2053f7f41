#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, widget and
# end-to-end tests, then the unit and widget tests again under ASan and UBSan,
# then every fuzz target for a few seconds on its committed corpus.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

preset=default
[[ "${CI:-}" == "true" ]] && preset=ci
jobs=$(nproc)

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"
ctest --preset "$preset" -j "$jobs"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --preset sanitize -j "$jobs" -L "unit|widget"

# Every committed fuzz input, earlier crashes among them, runs again first.
fuzz/run.sh 2
