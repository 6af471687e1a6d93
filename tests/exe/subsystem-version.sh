#!/usr/bin/env bash
# Usage: subsystem-version.sh EXE MAJOR.MINOR
# Windows refuses to start an exe whose PE subsystem version is above its own
# (XP is 5.1, XP x64 5.2), so this is the oldest Windows the exe runs on.
set -euo pipefail
exe=$1 expected=$2
header=$("${OBJDUMP:-objdump}" -p "$exe")
field() { awk -v name="$1" '$1 == name { print $2 }' <<<"$header"; }
actual=$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)
if [ "$actual" == "$expected" ]; then
  echo "ok: $(basename "$exe") subsystem version $actual"
else
  echo "FAIL: $(basename "$exe") subsystem version is $actual, expected $expected"
  exit 1
fi
