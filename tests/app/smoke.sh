#!/usr/bin/env bash
# Starts the real quorlix on a descriptor under a virtual X server, waits for its window, takes a
# screenshot and checks that something was drawn. Usage: smoke.sh QUORLIX FILE
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    # Re-run this script inside a fresh X server; the whole run is bounded.
    exec timeout 45 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$@"
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

# The parser's debug lines go to standard output; keep them out of the test's log.
QT_QPA_PLATFORM=xcb "$quorlix" "$file" >"$work/stdout.txt" 2>"$work/stderr.txt" &
app_pid=$!

# An empty X screen is one colour; the window with its list, panes and text brings many.
colours=0
for _ in $(seq 1 50); do
    sleep 0.5
    if ! kill -0 "$app_pid" 2>/dev/null; then
        echo "smoke: quorlix ended early" >&2
        cat "$work/stderr.txt" >&2
        exit 1
    fi
    xwd -root -silent >"$work/screen.xwd"
    convert "xwd:$work/screen.xwd" "png:$work/screen.png"
    colours=$(convert "$work/screen.png" -format %k info:)
    if [ "$colours" -gt 40 ]; then
        break
    fi
done

if [ "$colours" -le 40 ]; then
    echo "smoke: the screen stayed nearly blank ($colours colours)" >&2
    exit 1
fi
# The file was analysed: the parser's debug lines came.
if ! grep -q "HIDPARSE" "$work/stdout.txt"; then
    echo "smoke: the window showed, but the file was not analysed" >&2
    exit 1
fi
echo "smoke: window drawn with $colours colours"
