#!/usr/bin/env bash
# Usage: resources.sh EXE EXECUTION_LEVEL VERSION DESCRIPTION PRODUCT
# Reads the manifest and the version resource back from the built exe.
set -euo pipefail
exe=$1 level=$2 version=$3 description=$4 product=$5
wrestool=${WRESTOOL:-wrestool}
source "$(dirname "$0")/../expect.sh"

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
