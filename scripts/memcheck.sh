#!/usr/bin/env bash
# Runs quorlix-cli under valgrind's memcheck over every descriptor of a corpus: analyse, analyse
# --format json and layout of each file. Any invalid read or write, use of an uninitialised value
# or leak fails the run. Builds a dynamically linked quorlix-cli in build-valgrind/ first, since
# valgrind cannot follow the heap of a statically linked one.
#
#     scripts/memcheck.sh [CORPUS_DIR]       (default tests/data/descriptors)
set -euo pipefail
cd "$(dirname "$0")/.."

corpus=${1:-tests/data/descriptors}
build=build-valgrind
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIX_STATIC_CLI=OFF \
    -DQUORLIX_BUILD_APP=OFF -DQUORLIX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorlix-cli
cli="$build/src/cli/quorlix-cli"

shopt -s nullglob
files=("$corpus"/*.txt)
if [ "${#files[@]}" -eq 0 ]; then
    echo "memcheck: no descriptor in $corpus" >&2
    exit 1
fi

# One valgrind run per file and command, two at a time; each prints its errors and fails alone.
export cli
check() {
    valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=all \
        "$cli" "$@" -o /dev/null >/dev/null || {
        echo "memcheck: FAILED: quorlix-cli $*" >&2
        return 1
    }
}
export -f check
failed=0
for command in "analyse" "analyse --format json" "layout"; do
    printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P 2 bash -c "check $command \"\$0\"" ||
        failed=1
done
runs=$((3 * ${#files[@]}))
if [ "$failed" -ne 0 ]; then
    echo "memcheck: errors in some of $runs runs over ${#files[@]} descriptors"
    exit 1
fi
echo "memcheck: $runs runs over ${#files[@]} descriptors, no error"
