#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) over the core sources: src/ but the
# Qt side (platform/qt, ui, app), with the flags of build/compile_commands.json.
# Extra arguments go to run-clang-tidy (for example -fix).
# Reports only; it is not part of test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy)
if [[ ! -f build/compile_commands.json ]]; then cmake --preset default >/dev/null; fi
# The build uses GCC; its warning flags that clang does not know are noise here.
exec "$tidy" -p build -j "${TIDY_JOBS:-2}" -quiet -extra-arg=-Wno-unknown-warning-option \
  "$@" "^$(pwd)/src/(?!platform/qt/|ui/|app/).*\.cpp$"
