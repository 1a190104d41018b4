#!/usr/bin/env bash
# Regenerates the derived image files from their sources:
#   resources/icons/<name>-hover.svg   from icons/<name>.svg (grey #707c88 -> accent #00b688)
#   resources/icons/search_hide.svg    from icons/search_show.svg (same artwork)
#   resources/icons/logo.ico           from icons/logo.svg (13 sizes, 16 to 256 px)
#   resources/qss/default/*.png        the indicator images used by qss/default.css
#
# The generated files are committed; the build never runs this script.
# Run it by hand after editing an SVG source or a drawing below.
#
# Needs: librsvg2-bin (rsvg-convert) and imagemagick (convert, identify).
#   apt-get install librsvg2-bin imagemagick
# Set CONVERT=/path/to/convert to use a particular ImageMagick binary.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
icons="$root/resources/icons"
indicators="$root/resources/qss/default"
CONVERT="${CONVERT:-convert}"

for tool in rsvg-convert "$CONVERT" identify; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "make-icons.sh: '$tool' not found (install librsvg2-bin and imagemagick)" >&2
    exit 1
  }
done

grey='#707c88'
accent='#00b688'

# ---------------------------------------------------------------------------
# Hover twins and the search-bar toggle pair
# ---------------------------------------------------------------------------
for name in read bookList contents openFile open; do
  sed "s/$grey/$accent/g" "$icons/$name.svg" > "$icons/$name-hover.svg"
done
cp "$icons/search_show.svg" "$icons/search_hide.svg"

# ---------------------------------------------------------------------------
# Windows icon
# ---------------------------------------------------------------------------
ico_sizes=(16 20 24 32 36 40 48 60 64 72 96 128 256)
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

pngs=()
for s in "${ico_sizes[@]}"; do
  rsvg-convert -w "$s" -h "$s" "$icons/logo.svg" -o "$tmp/logo-$s.png"
  pngs+=("$tmp/logo-$s.png")
done
"$CONVERT" "${pngs[@]}" -strip "$icons/logo.ico"

count="$(identify "$icons/logo.ico" | wc -l)"
if [ "$count" -ne "${#ico_sizes[@]}" ]; then
  echo "make-icons.sh: logo.ico holds $count images, expected ${#ico_sizes[@]}" >&2
  exit 1
fi

# ---------------------------------------------------------------------------
# Style-sheet indicators
# ---------------------------------------------------------------------------
# Each image is drawn four times larger than its final size and then
# box-filtered down, which gives clean anti-aliased edges at 16 px and 10 px.
# Coordinates below are in the 4x space (64x64 for a 16 px image).
mkdir -p "$indicators"

outline='#c0c4cc'         # unchecked outline
outline_off='#e4e7ed'     # disabled outline
fill_off='#f5f7fa'        # disabled box background
checked_off='#d3d7de'     # disabled checked fill
arrow='#707c88'           # arrows and chevrons

# draw NAME SIZE DRAW-ARGS...   (SIZE is the final size in pixels)
draw() {
  local name="$1" size="$2"
  shift 2
  local big=$((size * 4))
  "$CONVERT" -size "${big}x${big}" xc:none "$@" \
    -filter Box -resize "${size}x${size}" \
    -strip -define png:exclude-chunks=date,time "PNG32:$indicators/$name.png"
}

# Check boxes: rounded square, 16 px.
round='stroke-linecap round stroke-linejoin round'
box='roundrectangle 4,4 59,59 10,10'
tick='polyline 17,33 28,44 47,22'
dash='line 18,32 46,32'

draw checkbox_unchecked 16 -stroke "$outline" -strokewidth 4 -fill white -draw "$box"
draw checkbox_unchecked_disable 16 -stroke "$outline_off" -strokewidth 4 -fill "$fill_off" -draw "$box"

draw checkbox_checked 16 \
  -stroke "$accent" -strokewidth 4 -fill "$accent" -draw "$box" \
  -stroke white -strokewidth 7 -fill none -draw "$round $tick"
draw checkbox_checked_disable 16 \
  -stroke "$checked_off" -strokewidth 4 -fill "$checked_off" -draw "$box" \
  -stroke white -strokewidth 7 -fill none -draw "$round $tick"

draw checkbox_parcial 16 \
  -stroke "$accent" -strokewidth 4 -fill "$accent" -draw "$box" \
  -stroke white -strokewidth 7 -fill none -draw "$round $dash"
draw checkbox_parcial_disable 16 \
  -stroke "$checked_off" -strokewidth 4 -fill "$checked_off" -draw "$box" \
  -stroke white -strokewidth 7 -fill none -draw "$round $dash"

# Radio buttons: circle, 16 px.
draw radiobutton_unchecked 16 \
  -stroke "$outline" -strokewidth 4 -fill white -draw "circle 32,32 32,4"
draw radiobutton_unchecked_disable 16 \
  -stroke "$outline_off" -strokewidth 4 -fill "$fill_off" -draw "circle 32,32 32,4"
draw radiobutton_checked 16 \
  -stroke "$accent" -strokewidth 4 -fill "$accent" -draw "circle 32,32 32,4" \
  -stroke none -fill white -draw "circle 32,32 32,21"
draw radiobutton_checked_disable 16 \
  -stroke "$checked_off" -strokewidth 4 -fill "$checked_off" -draw "circle 32,32 32,4" \
  -stroke none -fill white -draw "circle 32,32 32,21"

# Small arrow triangles, 10 px (40x40 in 4x space).
draw add_top    10 -stroke none -fill "$arrow" -draw "polygon 6,29 34,29 20,12"
draw add_bottom 10 -stroke none -fill "$arrow" -draw "polygon 6,12 34,12 20,29"
draw add_left   10 -stroke none -fill "$arrow" -draw "polygon 29,6 29,34 12,20"
draw add_right  10 -stroke none -fill "$arrow" -draw "polygon 12,6 12,34 29,20"

# Tree branches, 16 px: open points down, closed points right.
draw branch_open  16 -stroke none -fill "$arrow" -draw "polygon 18,24 46,24 32,42"
draw branch_close 16 -stroke none -fill "$arrow" -draw "polygon 24,18 24,46 42,32"

# Calendar month navigation, 16 px chevrons.
draw calendar_prevmonth 16 \
  -stroke "$arrow" -strokewidth 7 -fill none \
  -draw "$round polyline 39,14 21,32 39,50"
draw calendar_nextmonth 16 \
  -stroke "$arrow" -strokewidth 7 -fill none \
  -draw "$round polyline 25,14 43,32 25,50"

echo "make-icons.sh: icons and indicators regenerated"
