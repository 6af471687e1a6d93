#!/usr/bin/env bash
# Usage: release-zip.sh BUILD_DIR VERSION SYSTEM BUILT_DIR
# Packs this build's release zip into a scratch folder and checks what it
# holds: every file of BUILT_DIR (the exes, or the page) as built, and a
# README.txt with Windows line ends.
set -euo pipefail
build=$1 version=$2 system=$3 built=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/../expect.sh"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
top=orx-dcan-usb-$version-$system
zip=$scratch/package/$top.zip
[ -f "$zip" ] || { echo "FAIL: no $top.zip"; exit 1; }
mkdir "$scratch/unpacked"
(cd "$scratch/unpacked" && cmake -E tar xf "$zip")

expect_equal "zip contents" \
  "$( (echo README.txt && ls "$built") | sort | sed "s|^|$top/|" | xargs)" \
  "$(cd "$scratch/unpacked" && find . -type f | sed 's|^\./||' | sort | xargs)"
for file in "$built"/*; do
  expect_same_bytes "${file##*/} is the built one" "$file" "$scratch/unpacked/$top/${file##*/}"
done
readme=$scratch/unpacked/$top/README.txt
expect_equal "README.txt lines without CR" 0 "$(grep -c $'[^\r]$\|^$' "$readme" || true)"
expect_equal "README.txt names version and build" 1 "$(grep -c "version $version ($system)" "$readme" || true)"
# Notepad reads it as UTF-8 on every Windows only with the byte order mark.
expect_equal "README.txt starts with UTF-8's byte order mark" "efbbbf" "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')"
expect_equal "README.txt is UTF-8" yes "$(iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 && echo yes || echo no)"
expect_equal "README.txt's German and French parts" "Deutsch Français" \
  "$(grep -x -B1 -e $'-*\r' "$readme" | grep -x -e $'Deutsch\r' -e $'Français\r' | tr -d '\r' | xargs)"
finish
