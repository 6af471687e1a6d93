#!/usr/bin/env bash
# Usage: resources.sh EXE EXECUTION_LEVEL VERSION DESCRIPTION PRODUCT
# Reads the icon, the manifest and the version resource back from the built
# exe.
set -euo pipefail
exe=$1 level=$2 version=$3 description=$4 product=$5
wrestool=${WRESTOOL:-wrestool}
source "$(dirname "$0")/../expect.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The icon: the first icon group, the one Windows shows, has the four sizes,
# and only the 256 px image is stored as PNG.
first_group=$("$wrestool" -l --type=14 "$exe" | head -1 | grep -o -- '--name=[^ ]*' || true)
[ -n "$first_group" ] || { echo "FAIL: no icon group"; exit 1; }
"$wrestool" -x --type=14 "$first_group" "$exe" >"$scratch/icon.ico"
expect_equal "icon sizes" "16 32 48 256" \
  "$(icotool -l "$scratch/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 .*/\1/p' | xargs)"
png_widths=
for image in $("$wrestool" -l --type=3 "$exe" | grep -o -- '--name=[^ ]*'); do
  "$wrestool" -x --raw --type=3 "$image" "$exe" >"$scratch/image"
  head=$(od -An -tx1 -N24 "$scratch/image" | xargs)
  # A PNG's width is the big-endian number in bytes 17 to 20.
  [[ $head != "89 50 4e 47"* ]] || png_widths+="$((16#$(cut -d' ' -f17-20 <<<"$head" | tr -d ' '))) "
done
expect_equal "icon images stored as PNG, by width" "256" "$(xargs <<<"$png_widths")"

# The manifest: resource 1 of type 24, the one Windows reads at start.
manifest=$("$wrestool" -x --raw --type=24 --name=1 "$exe")
expect_equal "execution level" "$level" \
  "$(grep -o 'requestedExecutionLevel level="[^"]*"' <<<"$manifest" | cut -d'"' -f2)"
# supportedOS entries would make GetVersion report a different version.
expect_equal "supportedOS entries" 0 "$(grep -c supportedOS <<<"$manifest" || true)"

# The version resource's texts are UTF-16 and aligned, so decoding the whole
# resource and keeping the printable runs gives each name, then its value.
strings=$("$wrestool" -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' '\n' |
  grep -v '^$')
value_of() { awk -v name="$1" 'found { print; exit } $0 == name { found = 1 }' <<<"$strings"; }
name=$(basename "$exe")
expect_equal FileDescription "$description" "$(value_of FileDescription)"
expect_equal ProductName "$product" "$(value_of ProductName)"
expect_equal FileVersion "$version" "$(value_of FileVersion)"
expect_equal ProductVersion "$version" "$(value_of ProductVersion)"
expect_equal OriginalFilename "$name" "$(value_of OriginalFilename)"
finish
