#!/usr/bin/env bash
# Makes the pictures of docs/screenshots anew from the real window: every
# page, the about box and a printed page, at the first start's size and
# maximised on a 1600 x 1000 screen, in the C locale and in German. All of
# them go to OUT (default /tmp/tamarel-screenshots) to be looked at; the
# ones the documentation shows are copied into docs/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${OUT:-/tmp/tamarel-screenshots}
BUILD=${BUILD:-build}
cmake --build "$BUILD" -j2 --target tamarel_gui_tests >/dev/null
mkdir -p "$OUT"
screen=$(mktemp)
trap 'rm -f "$screen"' EXIT
echo '{"screens":[{"name":"desktop","x":0,"y":0,"width":1600,"height":1000,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]}' >"$screen"
QT_QPA_PLATFORM="offscreen:configfile=$screen" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
TAMAREL_SCREENSHOT_DIR="$OUT" "$BUILD/tests/tamarel_gui_tests" --gtest_filter='Locales/Screenshots.*' >/dev/null
# Under the names the README and the AppStream metadata use.
copy() { cp "$OUT/$1.png" "docs/screenshots/$2.png"; }
copy explorer-C-default explorer
copy list-C-default list
copy preview-csv-C-default preview-csv
copy preview-html-C-default preview-html
copy about-C-default about
copy print-html-C print-html
copy explorer-de_DE-default explorer-de_DE
copy list-de_DE-maximised list-de_DE-maximised
echo "pictures in $OUT; docs/screenshots refreshed"
