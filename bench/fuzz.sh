#!/usr/bin/env bash
# Executions per second and in total of every fuzz target, each run alone
# (the machine's cores are shared) for the given time on a copy of its corpus.
#   bench/fuzz.sh [seconds]      (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
exec fuzz/run.sh "${1:-60}"
