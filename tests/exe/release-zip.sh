#!/usr/bin/env bash
# Usage: release-zip.sh BUILD_DIR VERSION SYSTEM
# Packs this build's release zip into a scratch folder and checks what it
# holds: the three exes as built, and a README.txt with Windows line ends.
set -euo pipefail
build=$1 version=$2 system=$3
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
  "$top/README.txt $top/obd-setup.exe $top/zade-config-gui.exe $top/zade-config.exe" \
  "$(cd "$scratch/unpacked" && find . -type f | sed 's|^\./||' | sort | xargs)"
for exe in zade-config.exe zade-config-gui.exe obd-setup.exe; do
  expect_same_bytes "$exe is the built one" "$build/bin/$exe" "$scratch/unpacked/$top/$exe"
done
readme=$scratch/unpacked/$top/README.txt
expect_equal "README.txt lines without CR" 0 "$(grep -c $'[^\r]$\|^$' "$readme" || true)"
expect_equal "README.txt names version and build" 1 "$(grep -c "version $version ($system)" "$readme" || true)"
finish
