#!/usr/bin/env bash
# Times the real program's start-up on a full installation, from exec to
# the end of loading (the identity prompt is up), under Xvfb, and reports
# wall time and peak memory from /usr/bin/time -v.
#   bench/startup_program.sh [build/bin]
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
"$bin/tarvolen-fill" "$work/desk"
display=:$(( 150 + RANDOM % 50 ))
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 & xvfb=$!
sleep 0.5
for run in 1 2 3 4 5; do
  log="$work/run$run.log"
  start=$(date +%s%N)
  DISPLAY=$display /usr/bin/time -v "$bin/tarvolen" --home "$work/desk" 2>"$log" &
  pid=$!
  until grep -q '载入完毕' "$log" 2>/dev/null; do sleep 0.005; done
  end=$(date +%s%N)
  pkill -TERM -P $pid || true
  wait $pid || true
  echo "run $run: to prompt and loaded $(( (end - start) / 1000000 )) ms, peak RSS $(grep 'Maximum resident' "$log" | awk '{print $6}') kB"
done
