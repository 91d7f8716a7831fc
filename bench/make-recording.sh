#!/usr/bin/env bash
# Writes a hid-recorder file of the boot keyboard with LINES (default 100000) input events, keys
# pressed and released in turn, to OUT: the recording that bench/run.sh decodes as a whole
# process.   bash bench/make-recording.sh OUT [LINES]
set -euo pipefail
out=$1
lines=${2:-100000}
{
    echo "# Boot keyboard, $lines events"
    echo "R: 63 05 01 09 06 a1 01 05 07 19 e0 29 e7 15 00 25 01 75 01 95 08 81 02 95 01 75 08" \
         "81 03 95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 03 95 06 75 08 15 00 25 65" \
         "05 07 19 00 29 65 81 00 c0"
    echo "N: Bench Keyboard"
    echo "I: 3 0001 0002"
    awk -v n="$lines" 'BEGIN {
        for (i = 0; i < n; i++) {
            key = 4 + i % 26
            if (i % 2) {
                printf "E: %d.%06d 8 00 00 00 00 00 00 00 00\n", i / 1000, (i % 1000) * 1000
            } else {
                printf "E: %d.%06d 8 02 00 %02x %02x 00 00 00 00\n", i / 1000, (i % 1000) * 1000,
                    key, 4 + (key + 1) % 26
            }
        }
    }'
} >"$out"
