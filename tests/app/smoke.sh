#!/usr/bin/env bash
# Starts the real quorlix on a descriptor under a virtual X server, waits for its window, takes a
# screenshot and checks that something was drawn. Usage: smoke.sh QUORLIX FILE
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    # Re-run this script inside a fresh X server; the whole run is bounded.
    exec timeout 30 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$@"
fi
shift
quorlix=$1
file=$2
work=$(mktemp -d)
app_pid=

cleanup() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Asked for, the parser's debug lines go to standard error; keep them out of the test's log.
# Standard output must stay empty.
QUORLIX_DEBUG=1 QT_QPA_PLATFORM=xcb "$quorlix" "$file" >"$work/stdout.txt" 2>"$work/stderr.txt" &
app_pid=$!

# An empty X screen is one colour; the window with its list, panes and text brings many. The
# parser's debug lines on standard error tell that the file was analysed.
colours=0
analysed=no
for _ in $(seq 1 40); do
    sleep 0.5
    if ! kill -0 "$app_pid" 2>/dev/null; then
        echo "smoke: quorlix ended early" >&2
        cat "$work/stderr.txt" >&2
        exit 1
    fi
    if grep -q "HIDPARSE" "$work/stderr.txt"; then
        analysed=yes
    fi
    xwd -root -silent >"$work/screen.xwd"
    colours=$(convert "xwd:$work/screen.xwd" -format %k info:)
    if [ "$colours" -gt 40 ] && [ "$analysed" = yes ]; then
        if [ -s "$work/stdout.txt" ]; then
            echo "smoke: quorlix wrote to standard output:" >&2
            head -5 "$work/stdout.txt" >&2
            exit 1
        fi
        echo "smoke: window drawn with $colours colours, file analysed"
        exit 0
    fi
done

echo "smoke: after waiting, $colours colours on screen, file analysed: $analysed" >&2
exit 1
