#!/usr/bin/env bash
# Usage: resources.sh EXE EXECUTION_LEVEL VERSION DESCRIPTION PRODUCT
# Reads the manifest and the version resource back from the built exe.
set -euo pipefail
exe=$1 level=$2 version=$3 description=$4 product=$5
wrestool=${WRESTOOL:-wrestool}
fail=0
check() { # check WHAT EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1 is '$3'"
  else
    echo "FAIL: $1 is '$3', expected '$2'"
    fail=1
  fi
}

# The manifest: resource 1 of type 24, the one Windows reads at start.
manifest=$("$wrestool" -x --raw --type=24 --name=1 "$exe")
check "execution level" "$level" \
  "$(grep -o 'requestedExecutionLevel level="[^"]*"' <<<"$manifest" | cut -d'"' -f2)"
# supportedOS entries would make GetVersion report a different version.
check "supportedOS entries" 0 "$(grep -c supportedOS <<<"$manifest" || true)"

# The version resource's texts are UTF-16 and aligned, so decoding the whole
# resource and keeping the printable runs gives each name, then its value.
strings=$("$wrestool" -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' '\n' |
  grep -v '^$')
value_of() { awk -v name="$1" 'found { print; exit } $0 == name { found = 1 }' <<<"$strings"; }
name=$(basename "$exe")
check FileDescription "$description" "$(value_of FileDescription)"
check ProductName "$product" "$(value_of ProductName)"
check FileVersion "$version" "$(value_of FileVersion)"
check ProductVersion "$version" "$(value_of ProductVersion)"
check OriginalFilename "$name" "$(value_of OriginalFilename)"
exit $fail
