#!/usr/bin/env bash
# Usage: check-exe.sh EXE MAX_BYTES DLL...
# Fails when the exe is larger than MAX_BYTES or imports a DLL not listed.
set -euo pipefail
exe=$1 max=$2
shift 2
allowed=$(printf '%s\n' "$@" | tr '[:lower:]' '[:upper:]')

size=$(stat -c %s "$exe")
echo "$(basename "$exe"): $size bytes (budget $max)"
fail=0
if ((size > max)); then
  echo "FAIL: larger than $max bytes"
  fail=1
fi

imports=$("${OBJDUMP:-x86_64-w64-mingw32-objdump}" -p "$exe" | awk '/DLL Name:/ {print toupper($3)}' | sort -u)
[ -n "$imports" ] || { echo "FAIL: no import table found"; exit 1; }
for dll in $imports; do
  if grep -qx "$dll" <<<"$allowed"; then
    echo "imports $dll"
  else
    echo "FAIL: imports $dll, which is not a Windows system DLL we allow"
    fail=1
  fi
done
exit $fail
