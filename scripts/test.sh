#!/usr/bin/env bash
# Builds what is not built yet in build/ (scripts/build.sh: the same options, so what it built
# before is reused) and runs all tests, as many at once as the machine has cores.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)"
