#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each of
# them for its share of a time budget, on a working copy of the committed
# seed corpus under build/fuzz/work/. Exits non-zero when any target finds a
# crash or a broken property; the offending input is kept in build/fuzz/crashes/.
#   scripts/fuzz.sh [seconds]    total budget, split evenly (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

total=${1:-60}
targets=(strict_number leading_number hex_text)
share=$((total / ${#targets[@]}))
if [ "$share" -lt 1 ]; then
    share=1
fi

cmake --preset fuzz
cmake --build --preset fuzz

build=build/fuzz
mkdir -p "$build/crashes"
failed=()
for target in "${targets[@]}"; do
    work="$build/work/$target"
    mkdir -p "$work"
    # The working corpus keeps what earlier runs found; the seeds are re-added.
    cp -r fuzz/corpus/"$target"/. "$work"/
    log="$build/$target.log"
    echo "== ${target}_fuzzer: ${share} s"
    status=0
    "$build/fuzz/${target}_fuzzer" -max_total_time="$share" -print_final_stats=1 \
        -dict=fuzz/numbers.dict -timeout=10 -artifact_prefix="$build/crashes/${target}-" \
        "$work" >"$log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    echo "   ${executions:-?} executions in ${seconds:-?} s, corpus $(find "$work" -type f | wc -l) inputs"
    if [ "$status" -ne 0 ]; then
        echo "   FAILED (exit $status); log: $log"
        grep -E 'property broken|ERROR: |runtime error|SUMMARY|text:|got ' "$log" | head -20 | sed 's/^/   /'
        failed+=("$target")
    fi
done

passed=$((${#targets[@]} - ${#failed[@]}))
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found problems in: ${failed[*]} (inputs in $build/crashes/)"
fi
echo "fuzzing: $passed passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
