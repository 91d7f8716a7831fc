#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and runs them all: the whole analysis of the
# corpus and of the synthetic shapes, the text reader, report decoding, decode of a generated USB
# capture, the window (when it is built), quorlix-cli decode of a 100,000-event recording and
# capture, decode and audit of a 2,000,000-report capture, the command line's start-up against
# an empty C++ program, and its peak memory on the largest descriptors. The raw results and a
# summary (summary.md) go to build-bench/results/, and the summary replaces the figures in
# docs/performance.md (everything below its marker line).
#
#   bash bench/run.sh                  # everything, a few minutes
#   MIN_TIME=0.05 bash bench/run.sh    # quicker, noisier
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
results=$build/results
min_time=${MIN_TIME:-0.2}          # seconds each benchmark runs at least, per repetition
repetitions=${REPETITIONS:-3}      # the summary takes the median of these
startup_runs=${STARTUP_RUNS:-100}  # runs of each command for the start-up comparison

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLIX_BUILD_BENCH=ON \
    -DQUORLIX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"
rm -rf "$results"
mkdir -p "$results/descriptors"

for program in corpus shapes check reader forms decode capture_decode window; do
    binary=$build/bench/quorlix_bench_$program
    if [[ ! -x $binary ]]; then
        echo "== $program: not built, skipped"
        continue
    fi
    echo "== $program"
    QT_QPA_PLATFORM=offscreen "$binary" --benchmark_min_time="$min_time" \
        --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
        --benchmark_out="$results/$program.json" --benchmark_out_format=json
done

cli=$build/src/cli/quorlix-cli
corpus=tests/data/descriptors

echo "== start-up: quorlix-cli analyse on every corpus descriptor against an empty program"
# Each descriptor is timed in one hyperfine run together with the empty program, so the two
# see the same load on the machine and their ratio stays meaningful when other work runs.
mkdir -p "$results/startup"
for file in $(find "$corpus" -maxdepth 1 -name '*.txt' | sort); do
    hyperfine -N --style none --output=pipe --warmup 5 --runs "$startup_runs" \
        --export-json "$results/startup/$(basename "$file" .txt).json" \
        "$build/bench/quorlix_bench_empty" "$cli analyse $file" >/dev/null 2>&1
done

echo "== decode: quorlix-cli decode of a 100,000-event recording, as a whole process"
bash bench/make-recording.sh "$results/recording.hid" 100000
for format in text json; do
    for _ in 1 2 3 4 5; do
        /usr/bin/time -f "$format %e s wall, %U s user, %S s system" -a \
            -o "$results/decode-recording.txt" "$cli" decode --format "$format" \
            "$results/recording.hid" >/dev/null
    done
done
cat "$results/decode-recording.txt"
rm -f "$results/recording.hid"

echo "== capture: quorlix-cli capture, decode and audit of a generated 2,000,000-report capture"
# A usbmon pcap of a boot keyboard (some 176 MB): time and peak memory of each command as a whole
# process, the output going nowhere. Memory must stay that of one packet and the inventory.
"$build/bench/quorlix_make_capture" "$results/keyboard.pcap" 2000000
for command in capture decode "decode --format json" audit; do
    # shellcheck disable=SC2086 # the command is meant to split into its words
    /usr/bin/time -f "$command|2000000|%e|%U|%S|%M" -a -o "$results/capture-cli.txt" \
        "$cli" $command "$results/keyboard.pcap" >/dev/null
done
cat "$results/capture-cli.txt"
rm -f "$results/keyboard.pcap"

echo "== peak memory: quorlix-cli on the 64 KiB descriptors"
"$build/bench/quorlix_bench_descriptors" "$results/descriptors"
for file in "$results"/descriptors/*-64K.txt; do
    for command in "analyse --format plain" "analyse --format json" "layout"; do
        # shellcheck disable=SC2086 # the command is meant to split into its words
        /usr/bin/time -f '%M' -o "$results/rss.tmp" "$cli" $command "$file" >/dev/null
        echo "$(basename "$file" .txt)|$command|$(cat "$results/rss.tmp")" >>"$results/peak-rss.txt"
    done
done

rm -f "$results/rss.tmp"
python3 bench/summarise.py "$results" >"$results/summary.md"
cat "$results/summary.md"

marker='<!-- bench/run.sh writes everything below this line; edit above it only. -->'
page=docs/performance.md
{
    awk -v marker="$marker" '{ print } $0 == marker { exit }' "$page"
    echo
    cat "$results/summary.md"
} >"$page.new"
if grep -qx -- "$marker" "$page.new"; then
    mv "$page.new" "$page"
    echo "== docs/performance.md: figures replaced"
else
    rm -f "$page.new"
    echo "== docs/performance.md has no marker line: figures left in $results/summary.md" >&2
    exit 1
fi
