#!/usr/bin/env bash
# Builds the fuzz preset and runs fuzz targets one after another, each for
# SECONDS on a copy of its committed corpus (fuzz/corpus/<name>/), so the
# committed inputs, earlier crashes among them, are always run first and
# nothing found is written back into the repository. Prints executions per
# second and total executions per target; a crash leaves its input in
# build/fuzz/artifacts/ and makes the script fail.
#   fuzz/run.sh SECONDS [name...]      (names as in fuzz/targets/, no .cpp)
# FUZZ_RUNS=n also stops each target after n executions. libFuzzer counts
# whole seconds and stops only once more than SECONDS have passed, so a run
# lasts up to a second longer than asked.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [name...]}
shift
names=("$@")
if [[ ${#names[@]} -eq 0 ]]; then
  for src in fuzz/targets/*.cpp; do names+=("$(basename "$src" .cpp)"); done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --preset fuzz >/dev/null
if ! cmake --build --preset fuzz -j "$(nproc)" >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  exit 1
fi

artifacts=$PWD/build/fuzz/artifacts
mkdir -p "$artifacts"

failed=()
printf '%-20s %12s %10s %8s\n' target executions exec/s seconds
for name in "${names[@]}"; do
  corpus=$work/$name
  mkdir -p "$corpus"
  cp fuzz/corpus/"$name"/* "$corpus"/
  start=$(date +%s%N)
  status=ok
  # Inputs up to 4 KB, or twice the largest seed where that is more (the
  # workbooks): longer than every seed, so files can grow past them.
  largest=$(find "$corpus" -type f -printf '%s\n' | sort -n | tail -1)
  max_len=$(( ${largest:-0} * 2 > 4096 ? ${largest:-0} * 2 : 4096 ))
  build/fuzz/bin/fuzz_"$name" -max_total_time="$seconds" ${FUZZ_RUNS:+-runs=$FUZZ_RUNS} -max_len="$max_len" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" "$corpus" >"$work/$name.log" 2>&1 || status=CRASH
  end=$(date +%s%N)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log" | tail -1)
  runs=${runs:-0}
  wall=$(( (end - start) / 1000000 ))
  printf '%-20s %12d %10d %6d.%d %s\n' "$name" "$runs" $(( runs * 1000 / (wall > 0 ? wall : 1) )) \
    $(( wall / 1000 )) $(( wall % 1000 / 100 )) "$([[ $status == ok ]] || echo CRASH)"
  if [[ $status != ok ]]; then
    failed+=("$name")
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$work/$name.log" | head -5 >&2 || true
  fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz: crash in ${failed[*]}; inputs in $artifacts" >&2
  exit 1
fi
