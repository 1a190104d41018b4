#!/usr/bin/env bash
# Starts a reader command offscreen on a small book of its own, in a home of its own, and
# waits until the reader has opened the book: its library holds a record of the book with
# the text's length, written once the book is decoded. Then ends the reader.
# Usage: opens-book.sh <command> [arguments...]   (the book is added as the last argument)
set -euo pipefail

home=$(mktemp -d)
reader=""
cleanup() {
    if [ -n "$reader" ]; then
        kill "$reader" 2> /dev/null || true
        wait "$reader" 2> /dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=offscreen
mkdir -m 0700 "$XDG_RUNTIME_DIR"

book=$home/第一本书.txt
for chapter in 一 二 三; do
    printf '第%s章 山路\n\n　　天色将晚，他沿着山路慢慢走回村里。\n\n' "$chapter"
done > "$book"

"$@" "$book" > "$home/reader.log" 2>&1 &
reader=$!

library=$XDG_DATA_HOME/Bookshelf/Lexorin/library.sqlite
opened() {
    [ -f "$library" ] && python3 - "$library" "$book" << 'PYTHON'
import sqlite3, sys
row = sqlite3.connect(sys.argv[1]).execute(
    "select text_length from books where path = ?", (sys.argv[2],)).fetchone()
sys.exit(0 if row and row[0] > 0 else 1)
PYTHON
}

for _ in $(seq 240); do
    if opened; then
        echo "opened $book with: $*"
        exit 0
    fi
    if ! kill -0 "$reader" 2> /dev/null; then
        reader=""
        break
    fi
    sleep 0.5
done
echo "FAIL: the book was not opened by: $*" >&2
cat "$home/reader.log" >&2
exit 1
