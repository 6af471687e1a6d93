#!/usr/bin/env bash
# Usage: release-tar.sh BUILD_DIR VERSION SYSTEM
# Packs this build's release archive into a scratch folder and checks what it
# holds: the program as built, its manual page, and a README.txt that names
# version, build and the oldest kernel the program runs on.
set -euo pipefail
build=$1 version=$2 system=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/../expect.sh"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
top=orx-dcan-usb-$version-$system
archive=$scratch/package/$top.tar.gz
[ -f "$archive" ] || { echo "FAIL: no $top.tar.gz"; exit 1; }
expect_equal "archive contents" "$top/README.txt $top/zade-config $top/zade-config.1" \
  "$(tar tzf "$archive" | grep -v '/$' | sort | xargs)"
tar xzf "$archive" -C "$scratch"
expect_same_bytes "zade-config is the built one" "$build/bin/zade-config" "$scratch/$top/zade-config"
expect_same_bytes "zade-config.1 is the manual page" "$(dirname "$0")/../../zade-config/zade-config.1" \
  "$scratch/$top/zade-config.1"
expect_equal "README.txt names version and build" 1 \
  "$(grep -c "version $version ($system)" "$scratch/$top/README.txt" || true)"
kernel=$(readelf -n "$build/bin/zade-config" | sed -n 's/.*OS: Linux, ABI: \([0-9]*\.[0-9]*\).*/\1/p')
expect_equal "README.txt names the oldest kernel, Linux $kernel" 1 \
  "$(grep -c "Linux $kernel or later" "$scratch/$top/README.txt" || true)"
finish
