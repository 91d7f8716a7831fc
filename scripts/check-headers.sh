#!/usr/bin/env bash
# Writes the C header of each descriptor with quorlix-cli header and compiles it with gcc and
# clang, as C99 and as C++17, with every warning an error.
#   scripts/check-headers.sh QUORLIX_CLI DESCRIPTOR|FOLDER...
# A folder stands for the descriptors (*.txt) in it. Without clang the clang compiles are
# skipped with a note. Exits with 1 when any header fails to come out or to compile.
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 QUORLIX_CLI DESCRIPTOR|FOLDER..." >&2
    exit 2
fi
cli=$1
shift

compilers=()
for compiler in gcc g++ clang clang++; do
    if command -v "$compiler" >/dev/null 2>&1; then
        compilers+=("$compiler")
    else
        echo "note: $compiler not found; its compiles are skipped"
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Each header included twice, by a file of its own, so the guard is checked too.
check_one() {
    local descriptor=$1 status=0 compiler standard source
    if ! "$cli" header --name checked "$descriptor" -o "$scratch/checked.h" 2>"$scratch/err"; then
        echo "FAIL $descriptor: no header: $(cat "$scratch/err")"
        return 1
    fi
    printf '#include "checked.h"\n#include "checked.h"\nint main(void) { return checked_report_descriptor[0] == 0; }\n' \
        >"$scratch/main.c"
    cp "$scratch/main.c" "$scratch/main.cpp"
    for compiler in "${compilers[@]}"; do
        case $compiler in
            *++) standard=-std=c++17 source=$scratch/main.cpp ;;
            *) standard=-std=c99 source=$scratch/main.c ;;
        esac
        if ! "$compiler" "$standard" -Wall -Wextra -Werror -pedantic -O1 -c "$source" \
            -o "$scratch/main.o" 2>"$scratch/err"; then
            echo "FAIL $descriptor: $compiler $standard:"
            head -n 20 "$scratch/err"
            status=1
        fi
    done
    return $status
}

failed=0
count=0
for argument in "$@"; do
    if [ -d "$argument" ]; then
        files=("$argument"/*.txt)
    else
        files=("$argument")
    fi
    for descriptor in "${files[@]}"; do
        count=$((count + 1))
        check_one "$descriptor" || failed=$((failed + 1))
    done
done
echo "$count headers, $failed failed (${compilers[*]})"
[ "$failed" -eq 0 ]
