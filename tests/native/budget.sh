#!/usr/bin/env bash
# Usage: budget.sh PROGRAM MAX_BYTES [static]
# Fails when the native program is larger than MAX_BYTES, keeps its symbols,
# or needs a shared library that is not part of glibc; with static, when it
# is linked dynamically at all.
set -euo pipefail
program=$1 max=$2
source "$(dirname "$0")/../expect.sh"

size=$(stat -c %s "$program")
echo "$(basename "$program"): $size bytes (budget $max)"
expect_equal "within the budget" yes "$( ((size <= max)) && echo yes || echo no)"
expect_equal "stripped" no "$(readelf -S "$program" | grep -q '\.symtab' && echo yes || echo no)"
if [ "${3:-}" == static ]; then
  # No dynamic section: no loader, no library, no relocations to make.
  expect_equal "statically linked" "There is no dynamic section in this file." \
    "$(readelf -d "$program" | grep .)"
  finish
  exit
fi
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "needs: $(echo $needed)"
for library in $needed; do
  expect_equal "$library is part of glibc" yes \
    "$(grep -qE '^(libc|libm|ld-linux[-a-z0-9_.]*)\.so\.[0-9]+$' <<<"$library" && echo yes || echo no)"
done
finish
