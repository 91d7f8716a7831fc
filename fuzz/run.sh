#!/usr/bin/env bash
# Runs the libFuzzer targets, one process at a time, and keeps what they find.
#
#     fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS is the time of each run (default 60); TARGET is a target's name without "fuzz_"
# (hex_text, analysis, decode, check, ...; default every target of fuzz/CMakeLists.txt). For each target:
#
#   1. a run of SECONDS in each build: "fast" (coverage only, many times more executions a
#      second) and "asan" (AddressSanitizer and UndefinedBehaviorSanitizer), both starting from
#      the committed corpus fuzz/corpus/TARGET and the seeds fuzz/seeds/TARGET;
#   2. a merge (-merge=1) of the corpus and what the runs found into a minimised corpus, which
#      replaces fuzz/corpus/TARGET, so that the next run goes on from there;
#   3. a replay of that whole corpus in the asan build and, in the fast build, under valgrind's
#      memcheck.
#
# A crash, a failed check, a leak, a timeout (10 s), 2 GiB of memory or an error in either replay
# is a finding: the script says where its input and log are (fuzz/out/) and fails.
#
# Environment:
#   QUORLIX_FUZZ_BUILDS="fast asan"  the builds that fuzz (the replays always run)
#   QUORLIX_FUZZ_MERGE=0             leave fuzz/corpus/ as it is (CI): the replays then take the
#                                    minimised corpus in fuzz/out/merged/TARGET instead
# Each run appends a line to fuzz/out/ledger.tsv: time, target, build, seconds, executions (as
# libFuzzer counts them), corpus files and bytes after the merge, the run's result, the replays'.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    mapfile -t targets < <(sed -n 's/^quorlix_add_fuzz_target(fuzz_\([a-z_0-9]*\) .*/\1/p' \
        fuzz/CMakeLists.txt)
fi
read -r -a builds <<<"${QUORLIX_FUZZ_BUILDS:-fast asan}"
merge=${QUORLIX_FUZZ_MERGE:-1}

# In the throughput build the analysis target takes inputs up to 4 KiB, longer than any real
# descriptor, and the forms target texts up to 8 KiB in both builds, more than a descriptor of a
# thousand bytes in any form: long inputs only repeat what short ones reach, at many times the cost
# (every form's reader reads each input, some 2,000 instructions a byte). Elsewhere, and in every
# other sanitizer run, inputs go up to 64 KiB, the most a device can declare.
max_len() {
    if [ "$1" = forms ]; then
        echo 8192 # in both builds: texts, not descriptors, and every reader reads each one
    elif [ "$2" != fast ]; then
        echo 65536
    elif [ "$1" = analysis ]; then
        echo 4096
    else
        echo 65536
    fi
}

configure() {
    local build=$1 sanitize=$2
    CC=clang CXX=clang++ cmake -S . -B "build-fuzz-$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIX_BUILD_APP=OFF -DQUORLIX_BUILD_TESTS=OFF \
        -DQUORLIX_BUILD_FUZZ=ON -DQUORLIX_FUZZ_SANITIZE="$sanitize" >/dev/null
    cmake --build "build-fuzz-$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
}
configure fast OFF
configure asan ON

mkdir -p fuzz/out
ledger=fuzz/out/ledger.tsv
failed=0

finding() {
    failed=1
    echo "fuzz: $1: FINDING: $2"
    grep -E "ERROR|SUMMARY|fuzzer:|Test unit written|==[0-9]+== [A-Z]" "$3" | head -20 || true
}

corpus_size() {
    local files bytes
    files=$(find "$1" -type f | wc -l)
    bytes=$(find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
    echo "$files $bytes"
}

for target in "${targets[@]}"; do
    corpus=fuzz/corpus/$target
    work=fuzz/corpus-work/$target
    merged=fuzz/out/merged/$target
    mkdir -p "$corpus" "$work"
    seeds=()
    if [ -d "fuzz/seeds/$target" ]; then
        seeds=("fuzz/seeds/$target")
    elif [ "$target" = check ]; then
        seeds=(fuzz/seeds/analysis) # the same descriptors, whole
    fi

    # 1. The runs. New inputs go to the first folder, the working corpus.
    declare -A runs=()
    declare -A results=()
    for build in "${builds[@]}"; do
        log=fuzz/out/$target-$build.log
        if "build-fuzz-$build/fuzz/fuzz_$target" -max_len="$(max_len "$target" "$build")" \
            -timeout=10 -rss_limit_mb=2048 -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="fuzz/out/$target-$build-" "$work" "$corpus" "${seeds[@]}" \
            >"$log" 2>&1; then
            results[$build]="no finding"
        else
            results[$build]="finding"
            finding "$target $build" "see $log and fuzz/out/$target-$build-*" "$log"
        fi
        runs[$build]=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        echo "fuzz: $target $build: ${runs[$build]:-?} executions in $seconds s, ${results[$build]}"
    done

    # 2. The merge: the smallest set of inputs that keeps every feature of all of them.
    rm -rf "$merged"
    mkdir -p "$merged"
    log=fuzz/out/$target-merge.log
    if ! "build-fuzz-fast/fuzz/fuzz_$target" -merge=1 -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 "$merged" "$corpus" "$work" "${seeds[@]}" >"$log" 2>&1; then
        finding "$target merge" "see $log" "$log"
    fi
    replay=$merged
    if [ "$merge" = 1 ]; then
        find "$corpus" -type f -delete
        cp "$merged"/* "$corpus"/ 2>/dev/null || true
        replay=$corpus
    fi
    find "$work" -type f -delete
    read -r files bytes <<<"$(corpus_size "$replay")"
    echo "fuzz: $target: corpus of $files inputs, $bytes bytes ($replay)"

    # 3. The replays of the whole corpus.
    replayed=clean
    log=fuzz/out/$target-replay-asan.log
    if "build-fuzz-asan/fuzz/fuzz_$target" -runs=0 -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 "$replay" >"$log" 2>&1; then
        echo "fuzz: $target: replay under ASan and UBSan: $files inputs, no error"
    else
        replayed=finding
        finding "$target replay under ASan and UBSan" "see $log" "$log"
    fi
    # No memory limit (its watching thread is left running at exit) and no timeout: under
    # valgrind an input takes some fifty times as long.
    log=fuzz/out/$target-replay-valgrind.log
    if valgrind -q --error-exitcode=1 --leak-check=full "build-fuzz-fast/fuzz/fuzz_$target" \
        -runs=0 -max_len=65536 -timeout=0 -rss_limit_mb=0 "$replay" >"$log" 2>&1; then
        echo "fuzz: $target: replay under valgrind memcheck: $files inputs, no error"
    else
        replayed=finding
        finding "$target replay under valgrind" "see $log" "$log"
    fi

    for build in "${builds[@]}"; do
        printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\treplay %s\n' "$(date -u +%FT%TZ)" \
            "$target" "$build" "$seconds" "${runs[$build]:-0}" "$files" "$bytes" \
            "${results[$build]}" "$replayed" >>"$ledger"
    done
    unset runs results
done
exit "$failed"
