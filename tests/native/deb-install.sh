#!/usr/bin/env bash
# Usage: deb-install.sh PROGRAM VERSION TRIPLET
# Installs this program's Debian package with apt-get, runs zade-config from
# the PATH against the simulated adapter (1, 1, 9 give the OK screen), has man
# find its page, then purges the package and checks that none of its files is
# left. It changes the machine, so it runs only where SYSTEM_CHANGE_TESTS=yes
# says so, and it purges the package however it ends.
set -euo pipefail
if [ "${SYSTEM_CHANGE_TESTS:-}" != yes ]; then
  echo "skipped: it installs and removes a package on this machine; SYSTEM_CHANGE_TESTS=yes lets it"
  exit 77
fi
program=$1 version=$2 triplet=$3
if dpkg -s zade-config >/dev/null 2>&1; then
  echo "FAIL: zade-config is installed already, and this test would remove it"
  exit 1
fi
source "$SOURCE_DIR/tests/native/lib.sh" zade-config  # the one on the PATH
source "$SOURCE_DIR/zade-config/tests/e2e/screens.sh"

# Run by the runner's cleanup, on every way out.
stop_runner() {
  if dpkg -s zade-config >/dev/null 2>&1; then apt-get purge -y -q -o Dpkg::Use-Pty=0 zade-config; fi
}

deb=$(bash "$SOURCE_DIR/packaging/deb/build-deb.sh" "$program" "$version" "$triplet" "$TEST_TMP/deb")
chmod -R a+rX "$TEST_TMP"  # apt's unprivileged downloader reads the package
apt-get install -y -q -o Dpkg::Use-Pty=0 --no-install-recommends "$deb"
expect_equal "zade-config on the PATH" /usr/bin/zade-config "$(command -v zade-config)"

start_sim 1 --log "$TEST_TMP/received"
run_piped zade-config '1\n1\n9\n'
expect_equal "1, 1, 9: exit status" 0 "$status"
expect_output "1, 1, 9: the OK screen" "$UP_TO_MODE$(ok_screen ' 9' '    ( 100 kbit/s - K-CAN )')"
expect_equal "1, 1, 9: bytes on the line" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
stop_sim
expect_equal "man -w finds the page" /usr/share/man/man1/zade-config.1.gz "$(man -w zade-config)"

files=$(dpkg-query -L zade-config)
apt-get purge -y -q -o Dpkg::Use-Pty=0 zade-config
expect_equal "purged" no "$(dpkg -s zade-config >/dev/null 2>&1 && echo yes || echo no)"
# Shared folders such as /usr/bin stay; files and the package's own folders go.
left=$(while IFS= read -r path; do
  if [ -e "$path" ] && { [ ! -d "$path" ] || [[ $path == *zade-config* ]]; }; then echo "$path"; fi
done <<<"$files")
expect_equal "none of its files left" "" "$left"
finish
