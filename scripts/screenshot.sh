#!/usr/bin/env bash
# Takes the README's screenshots of the window analysing a real descriptor, each under its own
# virtual X server with a window manager: at 1366x768 as it opens there, and maximised at
# 1920x1080, in English and in Chinese; and its problems list at 1366x768, opened from the item
# list's menu by keys as a user would. Writes docs/window-WIDTHxHEIGHT-LANG.png and
# docs/problems-1366x768-LANG.png (or into OUT).
# Usage: scripts/screenshot.sh [QUORLIX [OUT]]
# Needs xvfb-run, openbox, wmctrl, xwd and ImageMagick (scripts/setup.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--inside" ]; then
    quorlix=${1:-build/src/app/quorlix}
    out=${2:-docs}
    if [ ! -x "$quorlix" ]; then
        echo "screenshot: no window binary at $quorlix; build it first" >&2
        exit 1
    fi
    mkdir -p "$out"
    for shot in 1366x768:normal 1920x1080:maximised 1366x768:problems; do
        size=${shot%%:*}
        state=${shot##*:}
        name=window
        if [ "$state" = problems ]; then
            name=problems
        fi
        for lang in en zh; do
            # A black root window, so the window can be cut out by trimming the black around it.
            timeout 60 xvfb-run -a -s "-screen 0 ${size}x24 -br" \
                bash "$0" --inside "$quorlix" "$out/$name-$size-$lang.png" "$lang" "$state"
        done
    done
    exit 0
fi
quorlix=$2
out=$3
lang=$4
state=$5
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

openbox --config-file /dev/null >/dev/null 2>&1 &
pids+=($!)
sleep 1

# A settings folder of its own, so no remembered size changes the picture.
XDG_CONFIG_HOME=$work QT_QPA_PLATFORM=xcb "$quorlix" --lang "$lang" examples/dualshock4-usb.txt \
    >/dev/null 2>"$work/stderr.txt" &
app_pid=$!
pids+=("$app_pid")

# Wait until the window is drawn and its list and panes are filled: the picture stops changing.
shoot() {
    local previous=
    for _ in $(seq 1 40); do
        sleep 0.5
        if ! kill -0 "$app_pid" 2>/dev/null; then
            echo "screenshot: quorlix ended early" >&2
            cat "$work/stderr.txt" >&2
            exit 1
        fi
        xwd -root -silent >"$work/screen.xwd"
        local current colours
        current=$(md5sum <"$work/screen.xwd")
        colours=$(convert "xwd:$work/screen.xwd" -format %k info:)
        if [ "$colours" -gt 40 ] && [ "$current" = "$previous" ]; then
            return
        fi
        previous=$current
    done
}
shoot
if [ "$state" = maximised ]; then
    wmctrl -r QuorlixV3.1 -b add,maximized_vert,maximized_horz
    shoot
fi

if [ "$state" = problems ]; then
    # A right click on the item list opens its menu; 问题列表… is the entry above About, the last.
    title=Problems
    if [ "$lang" = zh ]; then
        title=问题列表
    fi
    window=$(xdotool search --name QuorlixV3.1 | head -n 1)
    xdotool mousemove --window "$window" 250 450 click 3
    sleep 0.5
    xdotool key Up Up Return
    for _ in $(seq 1 20); do
        sleep 0.5
        problems=$(xdotool search --name "^$title\$" | head -n 1)
        if [ -n "$problems" ]; then
            break
        fi
    done
    if [ -z "$problems" ]; then
        echo "screenshot: the problems list did not open" >&2
        exit 1
    fi
    sleep 1
    # The list's own window with its frame: a capture of the whole screen may show a window
    # mapped this late before it is drawn.
    xwd -frame -id "$(xdotool search --name "^$title\$" | head -n 1)" -silent >"$work/screen.xwd"
fi
convert "xwd:$work/screen.xwd" -bordercolor black -border 1 -trim +repage "png:$out"
echo "screenshot: wrote $out ($(identify -format %wx%h "$out"))"
