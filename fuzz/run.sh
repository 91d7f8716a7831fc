#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS (default 60),
# both at once, from the committed seeds plus the working corpus of earlier runs. A crash, a leak,
# a timeout or running out of memory is a finding: its input is kept in fuzz/out/ and the script
# fails.
#
#     fuzz/run.sh [SECONDS] [TARGET...]      TARGET: hex_text, analysis (default both)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    targets=(hex_text analysis)
fi
build=${QUORLIX_FUZZ_BUILD:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORLIX_BUILD_APP=OFF -DQUORLIX_BUILD_TESTS=OFF -DQUORLIX_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

mkdir -p fuzz/out
pids=()
for target in "${targets[@]}"; do
    mkdir -p "fuzz/corpus-work/$target"
    # The largest descriptor a device can declare is 65535 bytes; texts get the same room. A
    # unit that runs 10 s is a hang; 2 GiB is twice what any input may take.
    "$build/fuzz/fuzz_$target" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="fuzz/out/$target-" \
        "fuzz/corpus-work/$target" "fuzz/seeds/$target" >"fuzz/out/$target.log" 2>&1 &
    pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
    target=${targets[$i]}
    log="fuzz/out/$target.log"
    if wait "${pids[$i]}"; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz: $target: ${runs:-?} executions in ${seconds} s, no finding"
    else
        failed=1
        echo "fuzz: $target: FINDING (see $log and fuzz/out/$target-*)"
        grep -E "ERROR|SUMMARY|fuzzer:|Test unit written" "$log" | head -20 || true
    fi
done
exit "$failed"
