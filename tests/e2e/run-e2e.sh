#!/usr/bin/env bash
# Drives the real reader as a user would, under Xvfb with real X input (xdotool): first
# page, page turns by keys and wheel, the bookshelf, a search, a zoom step, the switch to
# English through the main menu, and the title bar's close button. Checks that the process
# ends with 0, that the settings file holds what the session chose, and that screenshots on
# the way show a page of text. Then starts it again, turns pages, kills it with SIGKILL and
# checks that the next start shows the very same page; turns two more, ends it with SIGTERM
# 0.3 s later and checks that the next start is two pages on. Last, zooms out twice and in
# twice and checks the page is the same, takes a sample book off the shelf and checks it stays
# off after a restart. Then shows the book layout in each theme, and a window resized wide
# with two pages side by side. Usage: run-e2e.sh <lexorin binary> <screenshot folder>
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

reader=$1
shots=$2
mkdir -p "$shots"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }

# Counts the colours in the page area of a screenshot: a page of text has dozens from
# antialiasing, an empty or single-colour frame one or two.
page_colours() { convert "$1" -crop 480x560+100+60 +repage -format %k info:; }

shot() {
    local file=$shots/$1.png
    import -window root -crop 660x820+$((x - 10))+$((y - 10)) +repage "$file"
    echo "$file"
}

expect_text() {
    local colours
    colours=$(page_colours "$1")
    [ "$colours" -gt 20 ] || fail "$1 shows no page of text ($colours colours)"
}

# Clicks a point given in the window's own coordinates.
click_at() { xdotool mousemove --sync $((x + $1)) $((y + $2)) click 1; sleep "${3:-0.6}"; }

"$reader" > "$home/reader.log" 2>&1 &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lexorin$' | head -n 1)
[ -n "$window" ] || fail "no window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
x=$((X + 10)) y=$((Y + 10)) # the frame inside the shadow margin
xdotool windowfocus --sync "$window" || true

for _ in $(seq 40); do
    sleep 0.5
    [ "$(page_colours "$(shot 01-first-page)")" -gt 20 ] && break
done
expect_text "$shots/01-first-page.png"

xdotool key Next Next Next Right Left
xdotool mousemove --sync $((x + 320)) $((y + 400)) click 5 click 5
sleep 1.5
expect_text "$(shot 02-turned)"

xdotool key b
sleep 1
shot 03-bookshelf > /dev/null
click_at 35 133 # back to the reading page

xdotool key f
sleep 0.5
xdotool type --delay 50 '灯塔'
xdotool key Return
sleep 1.5
expect_text "$(shot 04-search)"

click_at 431 770 2 # zoom in
expect_text "$(shot 05-zoomed)"

click_at 430 28 # the main menu
xdotool key Down Down Down Return
sleep 1
expect_text "$(shot 06-english)"

click_at 609 28 0 # close
status=0
timeout 30 tail --pid="$pid" -f /dev/null || fail "the reader did not end after the close button"
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$home/reader.log" >&2; fail "the reader ended with $status"; }

settings=$XDG_CONFIG_HOME/Bookshelf/Lexorin.conf
[ -f "$settings" ] || fail "no settings file"
grep -qx 'language=en_US' "$settings" || fail "language not saved as English"
grep -qx 'fontSize=16' "$settings" || fail "zoom size not saved"
grep -q '^recentFiles=.*星灯童话集.txt' "$settings" || fail "book list not saved"
grep -q '^recentFiles=.*A Pocketful of Weather.txt' "$settings" || fail "book list not saved"
# ---- The place survives a kill ----------------------------------------------------------

# Starts the reader and waits until its window shows a page; sets pid, x and y.
start_reader() {
    "$reader" >> "$home/reader.log" 2>&1 &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lexorin$' | head -n 1)
    [ -n "$window" ] || fail "no window appeared on restart"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    x=$((X + 10)) y=$((Y + 10))
    xdotool windowfocus --sync "$window" || true
    for _ in $(seq 40); do
        sleep 0.5
        [ "$(page_colours "$(shot "$1")")" -gt 20 ] && break
    done
    sleep 1
    shot "$1" > /dev/null
}

# The page area and the page label of a screenshot, as pixels that differ from another's.
differing_pixels() {
    convert "$1" -crop 480x700+100+120 +repage "$home/a.png"
    convert "$2" -crop 480x700+100+120 +repage "$home/b.png"
    compare -metric AE "$home/a.png" "$home/b.png" null: 2>&1 || true
}

start_reader 07-restarted
xdotool key Next Next Next Next
sleep 1.5
shot 08-turned-on > /dev/null
[ "$(differing_pixels "$shots/07-restarted.png" "$shots/08-turned-on.png")" != 0 ] ||
    fail "the page did not turn after the restart"
sleep 2 # the place is written a second after the reader settles
kill -9 "$pid"
wait "$pid" 2> /dev/null || true

start_reader 09-after-kill
expect_text "$shots/09-after-kill.png"
[ "$(differing_pixels "$shots/08-turned-on.png" "$shots/09-after-kill.png")" = 0 ] ||
    fail "after a kill the reader did not reopen the page it was on (see 08 and 09)"

# ---- The place turned to just before a logout survives it --------------------------------

# SIGTERM comes 0.3 s after two turns, before the place would be written by itself.
xdotool key Next Next
sleep 0.3
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "the reader ended with $status on SIGTERM instead of closing"

start_reader 10-after-term
expect_text "$shots/10-after-term.png"
[ "$(differing_pixels "$shots/09-after-kill.png" "$shots/10-after-term.png")" != 0 ] ||
    fail "after SIGTERM the reader lost the pages turned just before it"
xdotool key Prior Prior
sleep 2.5
shot 11-back-two-pages > /dev/null
kill "$pid"
wait "$pid" 2> /dev/null || true
[ "$(differing_pixels "$shots/09-after-kill.png" "$shots/11-back-two-pages.png")" = 0 ] ||
    fail "after SIGTERM the reader did not reopen two pages on (see 09, 10 and 11)"

# ---- Zooming out twice and in twice shows the same page ----------------------------------

start_reader 12-before-zoom
for key in ctrl+minus ctrl+minus ctrl+equal ctrl+equal; do
    xdotool key "$key"
    sleep 0.8
done
sleep 1.5
shot 13-zoom-round-trip > /dev/null
[ "$(differing_pixels "$shots/12-before-zoom.png" "$shots/13-zoom-round-trip.png")" = 0 ] ||
    fail "zooming out twice and in twice did not come back to the same page (see 12 and 13)"

# ---- A sample book taken off the shelf stays off after a restart -------------------------

xdotool key b
sleep 1
xdotool mousemove --sync $((x + 328)) $((y + 140)) click 3 # the second cover's menu
sleep 0.6
xdotool key Down Down Return # "Remove from Bookshelf", then the confirmation's default, Yes
sleep 0.6
xdotool key Return
sleep 0.6
shot 14-sample-removed > /dev/null
click_at 609 28 0 # close
timeout 30 tail --pid="$pid" -f /dev/null || fail "the reader did not end after the close button"
wait "$pid" 2> /dev/null || true
grep -q '^recentFiles=.*A Pocketful of Weather.txt' "$settings" && fail "the sample book was not removed"
start_reader 15-restarted-without-sample
kill "$pid"
wait "$pid" 2> /dev/null || true
grep -q '^recentFiles=.*A Pocketful of Weather.txt' "$settings" &&
    fail "the removed sample book came back at the restart"
grep -q '^recentFiles=.*星灯童话集.txt' "$settings" || fail "the other sample book left the shelf"

# ---- The book layout in each theme, and a resized window showing two pages ---------------

# Sets one key of the store's general group, as the reader would have written it.
set_key() {
    sed -i "/^$1=/d" "$settings"
    sed -i "/^\[General\]/a $1=$2" "$settings"
}

# The mean colour of a screenshot's page area.
page_colour() { convert "$1" -crop 480x560+100+60 -resize '1x1!' -format '%[pixel:p{0,0}]' info:; }

set_key language zh_CN
set_key layout book
colours=""
for theme in day sepia green night; do
    set_key theme "$theme"
    start_reader "16-book-$theme"
    expect_text "$shots/16-book-$theme.png"
    colours+="$(page_colour "$shots/16-book-$theme.png")"$'\n'
    kill "$pid"
    wait "$pid" 2> /dev/null || true
done
[ "$(printf '%s' "$colours" | sort -u | wc -l)" = 4 ] || fail "the four themes do not each colour the page (see 16-*)"

set_key theme sepia
set_key spread true
start_reader 17-before-resize
xdotool windowmove --sync "$window" 0 0 || true
xdotool windowsize --sync "$window" 1240 760 || true
x=10 y=10
sleep 2.5
import -window root -crop 1240x760+0+0 +repage "$shots/18-resized-two-pages.png"
# Text on both halves of the page area: two pages side by side.
for half in 150 700; do
    [ "$(convert "$shots/18-resized-two-pages.png" -crop 440x560+$half+110 +repage -format %k info:)" -gt 20 ] ||
        fail "the resized window does not show two pages of text (see 18-resized-two-pages.png)"
done
kill "$pid"
wait "$pid" 2> /dev/null || true
grep -qx 'spread=true' "$settings" || fail "the two-page spread was not kept"

echo "1 passed, 0 failed"
