#!/usr/bin/env bash
# Takes the README's before/after screenshots of the book layout: a hard-wrapped book and a
# book with site watermarks (docs/samples/), each in the original layout ("before") and the
# book layout ("after"), from the real reader under Xvfb, into docs/cleanup/.
# Usage: scripts/take-cleanup-screenshots.sh [lexorin binary] [display number]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
reader=${1:-$root/build/src/app/lexorin}
display=:${2:-58}
shots=$root/docs/cleanup
mkdir -p "$shots"
work=$(mktemp -d)
Xvfb "$display" -screen 0 1024x900x24 > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2> /dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
sleep 1

# shot <book> <layout> <name>: the reader's window alone, on a fresh home with that layout.
shot() {
    local home=$work/$3
    mkdir -p "$home/config/Bookshelf" "$home/data" "$home/runtime"
    chmod 700 "$home/runtime"
    printf '[General]\nlayout=%s\n' "$2" > "$home/config/Bookshelf/Lexorin.conf"
    XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime \
        "$reader" "$1" > "$home/reader.log" 2>&1 &
    local pid=$!
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$3.png"
    kill "$pid"
    wait "$pid" || true
    echo "$shots/$3.png"
}

shot "$root/docs/samples/hard-wrapped.txt" original hard-wrapped-before
shot "$root/docs/samples/hard-wrapped.txt" book hard-wrapped-after
shot "$root/docs/samples/watermarks.txt" original watermarks-before
shot "$root/docs/samples/watermarks.txt" book watermarks-after
