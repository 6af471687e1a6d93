#!/usr/bin/env bash
# The layout check passes the tree as it is and fails each kind of fault
# planted in a copy of it: a system header and a platform #if in logic files,
# the core reaching outside core/, and a front end reaching into platform/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../expect.sh"
tree=$here/../../zade-config
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# plant NAME FILE TEXT EXPECTED: TEXT added to FILE of a fresh copy must fail
# the check with EXPECTED among its lines.
plant() {
  local name=$1 file=$2 text=$3 expected=$4 output status=0
  rm -rf "$scratch/zade-config"
  cp -r "$tree" "$scratch/zade-config"
  printf '%s\n' "$text" >>"$scratch/zade-config/$file"
  output=$(bash "$here/check.sh" "$scratch/zade-config") || status=$?
  expect_equal "$name: the check fails" 1 "$status"
  expect_equal "$name: the check names the fault" yes "$(grep -qF -- "$expected" <<<"$output" && echo yes || echo "no, it said: $output")"
}

status=0
output=$(bash "$here/check.sh" "$tree") || status=$?
expect_equal "the tree as it is passes" 0 "$status"

plant "system header in the core" core/mode_text.cpp '#include <unistd.h>' \
  "core/mode_text.cpp:$(($(wc -l <"$tree/core/mode_text.cpp") + 1)): a logic file includes a system header"
plant "sys/ header in a front end" command_line/program.cpp '#include <sys/stat.h>' \
  "command_line/program.cpp:"
plant "platform #if in the dialogue" dialogue/key_wait.cpp $'#ifdef _WIN32\n#endif' \
  "dialogue/key_wait.cpp:$(($(wc -l <"$tree/dialogue/key_wait.cpp") + 1)): a logic file holds a platform #if"
plant "platform #if in a test" dialogue/tests/dialogue_test.cpp $'#if defined(__linux__)\n#endif' \
  "a logic file holds a platform #if"
plant "core reaching a front end" core/one_shot.cpp '#include "dialogue.h"' \
  "the core includes dialogue/dialogue.h, which is outside core/"
plant "core reaching by a relative path" core/port_table.h '#include "../command_line/program.h"' \
  "the core includes command_line/program.h, which is outside core/"
plant "front end reaching the platform" dialogue/screen.h '#include "console_posix.h"' \
  "a front end includes platform/posix/console_posix.h, a file of platform/"
plant "window reaching the platform" window/window.cpp '#include "serial_port_win.h"' \
  "a front end includes platform/windows/serial_port_win.h, a file of platform/"
plant "the browser's calls in the page's front end" web/page_model.cpp '#include <emscripten.h>' \
  "web/page_model.cpp:$(($(wc -l <"$tree/web/page_model.cpp") + 1)): a logic file includes a system header"
plant "the page reaching the platform" web/page_model.h '#include "serial_port_web.h"' \
  "a front end includes platform/web/serial_port_web.h, a file of platform/"
plant "an Emscripten #if in the core" core/catalog.cpp $'#ifdef __EMSCRIPTEN__\n#endif' \
  "a logic file holds a platform #if"
# A platform's own files may call the system.
rm -rf "$scratch/zade-config"
cp -r "$tree" "$scratch/zade-config"
printf '#include <sys/ioctl.h>\n' >>"$scratch/zade-config/platform/posix/signals_posix.cpp"
printf '#include <emscripten/html5.h>\n' >>"$scratch/zade-config/platform/web/elapsed_time_web.cpp"
status=0
bash "$here/check.sh" "$scratch/zade-config" >/dev/null || status=$?
expect_equal "a platform file may include system headers" 0 "$status"
finish
