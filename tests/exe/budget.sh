#!/usr/bin/env bash
# Usage: budget.sh EXE MAX_BYTES DLL...
# Fails when the exe is larger than MAX_BYTES or imports a DLL not listed, or,
# with REFUSE_CONSOLE_IMPORTS=yes (a window program), any console function.
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
if [ "${REFUSE_CONSOLE_IMPORTS:-}" == yes ]; then
  console=$("${OBJDUMP:-x86_64-w64-mingw32-objdump}" -p "$exe" |
    awk '/DLL Name:/ { dll = toupper($3); next } dll == "KERNEL32.DLL" && NF == 3 && $3 ~ /Console/ { print $3 }')
  if [ -n "$console" ]; then
    echo "FAIL: a window program imports console functions: $(xargs <<<"$console")"
    fail=1
  else
    echo "imports no console function"
  fi
fi
exit $fail
