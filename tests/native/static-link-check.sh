#!/usr/bin/env bash
# Usage: static-link-check.sh CXX
# The static link's check (cmake/check-static-link.sh) passes a program that
# uses stdio alone, as zade-config does, and fails one that uses the name
# service switch, iconv, locales and dlopen, naming each and removing it.
set -euo pipefail
cxx=$1
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$here/../expect.sh"

# linked_and_checked NAME MAIN_BODY: prints what the check says of the program.
linked_and_checked() {
  printf '#include <%s>\n' cstdio clocale dlfcn.h iconv.h pwd.h >"$scratch/$1.cpp"
  echo "int main() { $2 }" >>"$scratch/$1.cpp"
  "$cxx" -Os -static -s -Wl,--gc-sections "-Wl,-Map=$scratch/$1.map,--cref" -o "$scratch/$1" \
    "$scratch/$1.cpp" 2>/dev/null
  if bash "$here/../../cmake/check-static-link.sh" "$scratch/$1.map" "$scratch/$1" 2>"$scratch/$1.err"; then
    echo passes
  else
    echo "fails: $(sed -n 's/^  \([a-z_]*\), from .*/\1/p' "$scratch/$1.err" | xargs)," \
      "$([ -e "$scratch/$1" ] && echo kept || echo removed)"
  fi
}
expect_equal "stdio alone" passes "$(linked_and_checked stdio 'return std::printf("%d\n", 1) < 0;')"
expect_equal "users, iconv, locales, dlopen" "fails: dlopen getpwnam iconv_open setlocale, removed" \
  "$(linked_and_checked all 'return !getpwnam("root") + !iconv_open("UTF-8", "LATIN1") +
     !setlocale(LC_ALL, "") + !dlopen("libm.so.6", RTLD_NOW);')"
finish
