#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo program folder
# build/desk/ (once) and starts the desk in it.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target tarvolen tarvolen-init

if [[ ! -e build/desk/set.dat ]]; then
  build/bin/tarvolen-init build/desk --demo
fi
exec build/bin/tarvolen --home build/desk "$@"
