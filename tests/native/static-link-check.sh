#!/usr/bin/env bash
# Usage: static-link-check.sh CXX
# The static link's check (cmake/check-static-link.sh), which passes
# zade-config in every release build, fails a program that uses the name
# service switch, iconv, locales and dlopen, naming each, and removes it.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/../expect.sh"

printf '#include <%s>\n' clocale dlfcn.h iconv.h pwd.h >"$scratch/uses.cpp"
echo 'int main() { return !getpwnam("root") + !iconv_open("UTF-8", "LATIN1") +
  !setlocale(LC_ALL, "") + !dlopen("libm.so.6", RTLD_NOW); }' >>"$scratch/uses.cpp"
"$1" -static -Wl,-Map="$scratch/map",--cref -o "$scratch/uses" "$scratch/uses.cpp" 2>/dev/null
bash "$(dirname "$0")/../../cmake/check-static-link.sh" "$scratch/map" "$scratch/uses" 2>"$scratch/err" || true
expect_equal "the check names what the program must not use" "dlopen getpwnam iconv_open setlocale" \
  "$(sed -n 's/^  \([a-z_]*\), from .*/\1/p' "$scratch/err" | xargs)"
expect_equal "the program is gone" gone "$([ -e "$scratch/uses" ] && echo there || echo gone)"
finish
