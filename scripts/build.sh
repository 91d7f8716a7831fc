#!/usr/bin/env bash
# Installs what is missing and builds everything (both programs and the tests) in build/, with
# warnings as errors and as many jobs as the machine has cores. scripts/test.sh runs this first,
# with the same options, so after one build the tests need no second compile.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLIX_WERROR=ON >/dev/null
cmake --build build -j "$(nproc)"
