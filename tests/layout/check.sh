#!/usr/bin/env bash
# zade-config's folders keep the layout the build relies on:
#   - a logic file (any file whose name does not end in _win, _posix or _web, a
#     test's _test after it allowed) includes no system header and holds no
#     #if on the platform;
#   - the core's program files include only files of the core;
#   - the front ends (dialogue, command_line, window, web) include nothing of
#     platform/.
# Prints each fault as FILE:LINE: what is wrong, and exits 1 when there is one.
#   tests/layout/check.sh [ZADE_CONFIG_DIR]
set -euo pipefail
top=${1:-$(dirname "$0")/../../zade-config}
cd "$top"

system_headers='windows\.h|winbase\.h|winreg\.h|setupapi\.h|commctrl\.h|shellapi\.h|dbt\.h|process\.h|emscripten\.h|emscripten/[^>"]*|io\.h|unistd\.h|termios\.h|fcntl\.h|poll\.h|signal\.h|dirent\.h|pthread\.h|(sys|linux|asm)/[^>"]*'
platform_macros='_WIN32|_WIN64|WIN32|__MINGW32__|__MINGW64__|_MSC_VER|__CYGWIN__|__linux__|__unix__|__APPLE__|__GLIBC__|_POSIX_VERSION|__EMSCRIPTEN__'
faults=0
fault() {
  echo "$1: $2"
  faults=$((faults + 1))
}

# The project file a quoted include of FILE names: next to FILE, else the one
# file of that name anywhere in the tree; empty when there is none.
resolve() {
  local from=$1 name=$2 found
  if [ -f "$(dirname "$from")/$name" ]; then
    realpath --relative-to=. "$(dirname "$from")/$name"
    return
  fi
  found=$(find . -path "*/$(basename "$name")" -type f | sed 's|^\./||' | head -n 1)
  echo "$found"
}

while IFS= read -r file; do
  file=${file#./}
  base=$(basename "$file")
  logic=yes
  [[ $base =~ _(win|posix|web)(_test)?\.(cpp|h)$ ]] && logic=no
  in_tests=no
  [[ /$file =~ /tests/ ]] && in_tests=yes

  if [ $logic = yes ]; then
    while IFS=: read -r line text; do
      fault "$file:$line" "a logic file includes a system header: $text"
    done < <(grep -n -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($system_headers)[>\"]" "$file" || true)
    while IFS=: read -r line text; do
      fault "$file:$line" "a logic file holds a platform #if: $text"
    done < <(grep -n -E "^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif)\b.*\b($platform_macros)\b" "$file" || true)
  fi

  while IFS=: read -r line text; do
    name=$(sed -E 's/.*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
    target=$(resolve "$file" "$name")
    [ -n "$target" ] || continue  # a header from outside the program's folders
    case $file in
      core/*)
        if [ $in_tests = no ] && [[ $target != core/* ]]; then
          fault "$file:$line" "the core includes $target, which is outside core/"
        fi
        ;;
      dialogue/* | command_line/* | window/* | web/*)
        if [[ $target == platform/* ]]; then
          fault "$file:$line" "a front end includes $target, a file of platform/"
        fi
        ;;
    esac
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' "$file" || true)
done < <(find . -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if ((faults > 0)); then
  echo "layout check: $faults fault(s); CONTRIBUTING.md's map says what each folder may include"
  exit 1
fi
echo "layout check: every file keeps to its folder"
