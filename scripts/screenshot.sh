#!/usr/bin/env bash
# Takes a screenshot of the window analysing a real descriptor under a virtual X server and
# writes it to docs/screenshot.png (or OUT). Usage: scripts/screenshot.sh [QUORLIX [OUT]]
# Needs xvfb-run, xwd and ImageMagick (scripts/setup.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--inside" ]; then
    quorlix=${1:-build/src/app/quorlix}
    out=${2:-docs/screenshot.png}
    if [ ! -x "$quorlix" ]; then
        echo "screenshot: no window binary at $quorlix; build it first" >&2
        exit 1
    fi
    # A black root window, so the window can be cut out by trimming the black around it.
    exec timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24 -br" bash "$0" --inside "$quorlix" "$out"
fi
quorlix=$2
out=$3
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

QT_QPA_PLATFORM=xcb "$quorlix" examples/dualshock4-usb.txt >/dev/null 2>"$work/stderr.txt" &
app_pid=$!

# Wait until the window is drawn and its list and panes are filled: the picture stops changing.
previous=
for _ in $(seq 1 40); do
    sleep 0.5
    if ! kill -0 "$app_pid" 2>/dev/null; then
        echo "screenshot: quorlix ended early" >&2
        cat "$work/stderr.txt" >&2
        exit 1
    fi
    xwd -root -silent >"$work/screen.xwd"
    current=$(md5sum <"$work/screen.xwd")
    colours=$(convert "xwd:$work/screen.xwd" -format %k info:)
    if [ "$colours" -gt 40 ] && [ "$current" = "$previous" ]; then
        break
    fi
    previous=$current
done

mkdir -p "$(dirname "$out")"
convert "xwd:$work/screen.xwd" -bordercolor black -border 1 -trim +repage "png:$out"
echo "screenshot: wrote $out"
