#!/usr/bin/env bash
# Installs the reader into a temporary prefix and checks that a desktop finds it there: the
# binary, its desktop entry as a text/plain handler, and the icon in the hicolor theme.
# Usage: check-install.sh <build folder>
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" > /dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$prefix/bin/lexorin" ] || fail "no binary"
entry=$prefix/share/applications/lexorin.desktop
[ -f "$entry" ] || fail "no desktop entry"
grep -qx 'Exec=lexorin %f' "$entry" || fail "the entry does not hand a file to the reader"
grep -qx 'MimeType=text/plain;' "$entry" || fail "the entry is no text/plain handler"
grep -qx 'Icon=lexorin' "$entry" || fail "the entry names no icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/lexorin.svg" ] || fail "no icon in the hicolor theme"
QT_QPA_PLATFORM=offscreen "$prefix/bin/lexorin" --version | grep -q '1.0.0.03' || fail "the installed binary does not run"
echo "1 passed, 0 failed"
