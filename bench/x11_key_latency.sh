#!/usr/bin/env bash
# Key latency of the X11 key source under a private Xvfb: injected key press
# to callback, median over 1000 keys (see X11KeyLatency.cpp).
#   bench/x11_key_latency.sh [build/bin] [keys]
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
keys=${2:-1000}
work=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
# -displayfd: Xvfb picks a free display and writes its number once it is up.
Xvfb -displayfd 5 -nolisten tcp -screen 0 800x600x24 5>"$work/display" >/dev/null 2>&1 & xvfb=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(head -n1 "$work/display") "$bin/tarvolen-x11-key-latency" "$keys"
