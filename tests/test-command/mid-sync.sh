#!/usr/bin/env bash
# Usage: mid-sync.sh SOURCE_DIR SCRATCH_DIR
# The test command while the package archive is mid-sync, run on a copy of
# the checkout with apt pointed at an archive of the test's own whose i386
# index does not match its Release file, and dpkg at a copy of this
# machine's package database:
# - wine32:i386 cannot be installed: the 32-bit Wine suite alone is skipped,
#   named with apt's words on the summary line; the x86 exes are still built
#   and checked, in a tree configured by hand without its end-to-end tests;
# - a 64-bit package cannot be installed: the command fails after three
#   tries, with apt's message, and builds nothing.
# Nothing is installed: the archive holds no package that could be. Needs
# root, as the test command does without a terminal.
set -euo pipefail
source "$1/tests/expect.sh"
source "$1/scripts/configure.sh"
source_dir=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT

# The archive: one suite with an amd64 and an i386 index, the i386 one a few
# bytes longer than its Release file says, as when the index changed between
# the Release file's download and its own.
archive=$scratch/archive
for arch in amd64 i386; do
  mkdir -p "$archive/dists/stable/main/binary-$arch"
  printf 'Package: wine32\nVersion: 1.0\nArchitecture: %s\nFilename: pool/wine32.deb\nSize: 1\nDescription: x\n' \
    "$arch" >"$archive/dists/stable/main/binary-$arch/Packages"
done
{
  printf 'Suite: stable\nCodename: stable\nDate: %s\nArchitectures: amd64 i386\nComponents: main\nSHA256:\n' \
    "$(LC_ALL=C date -u -R)"
  for arch in amd64 i386; do
    index=main/binary-$arch/Packages
    size=$(stat -c %s "$archive/dists/stable/$index")
    [ "$arch" == amd64 ] || size=$((size - 3))
    echo " $(sha256sum <"$archive/dists/stable/$index" | cut -d' ' -f1) $size $index"
  done
} >"$archive/dists/stable/Release"

mkdir -p "$scratch/apt/lists/partial" "$scratch/apt/cache/archives/partial" "$scratch/apt/parts"
echo "deb [trusted=yes] file:$archive stable main" >"$scratch/apt/sources.list"
cat >"$scratch/apt/apt.conf" <<EOF
Dir::Etc::sourcelist "$scratch/apt/sources.list";
Dir::Etc::sourceparts "$scratch/apt/parts";
Dir::Etc::parts "$scratch/apt/parts";
Dir::Etc::preferencesparts "$scratch/apt/parts";
Dir::State::lists "$scratch/apt/lists";
Dir::State::status "$scratch/dpkg/status";
Dir::Cache "$scratch/apt/cache";
APT::Architectures { "amd64"; "i386"; };
EOF

# package_database_without PACKAGE ARCH: dpkg's database is this machine's,
# but for that package (installed here or not).
package_database_without() {
  rm -rf "$scratch/dpkg"
  mkdir -p "$scratch/dpkg/info" "$scratch/dpkg/updates"
  awk -v package="$1" -v arch="$2" -v RS= -v ORS='\n\n' \
    '!($0 ~ "(^|\n)Package: " package "\n" && $0 ~ "\nArchitecture: " arch "\n")' \
    /var/lib/dpkg/status >"$scratch/dpkg/status"
}

mkdir "$scratch/source"
tar -C "$source_dir" --exclude=./build -cf - . | tar -C "$scratch/source" -xf -
# test_command LOG VARIABLE=VALUE...: the copy's test command, with apt and
# dpkg pointed at the test's own, and retries one second apart; its status.
test_command() {
  local log=$1 status=0
  shift
  env APT_CONFIG="$scratch/apt/apt.conf" DPKG_ADMINDIR="$scratch/dpkg" PACKAGE_RETRY_SECONDS=1 "$@" \
    "$scratch/source/scripts/test" </dev/null >"$log" 2>&1 || status=$?
  echo "$status"
}
broken_index="apt-get update failed: stable/main i386 Packages: Hash Sum mismatch"

package_database_without tmux amd64
status=$(test_command "$scratch/64-bit.log" PRESETS=windows-x86)
expect_equal "a missing 64-bit package fails the command" 1 "$status"
# apt's words for a package it cannot get differ between its versions
# ("Unable to locate package tmux", "Package 'tmux' has no installation
# candidate").
message=$(tail -n 1 "$scratch/64-bit.log")
expect_equal "with apt's message" yes "$([[ $message == "tmux could not be installed: "*tmux*"; $broken_index" ]] &&
  echo yes || echo "no: $message")"
expect_equal "after three tries" "1 1 0" "$(for try in 2 3 4; do
  grep -c "^apt-get failed: try $try of 3 in 1 s$" "$scratch/64-bit.log"; done | xargs)"
expect_equal "and nothing built" no "$([ -e "$scratch/source/build/windows-x86" ] && echo yes || echo no)"

# A tree configured by hand without its end-to-end tests: the test command
# configures it with them.
(cd "$scratch/source" && cmake --preset windows-x86 -DE2E_TESTS=OFF >/dev/null)
package_database_without wine32 i386
status=$(test_command "$scratch/wine32.log" PRESETS=windows-x86 REPRODUCIBLE=no X86_32_PROBE=yes)
expect_equal "no 32-bit Wine: the command passes" 0 "$status"
expect_equal "naming the skipped suites" "scripts/test passed. Ran: windows-x86. Skipped: windows-x86 32-bit\
 Wine suite (wine32:i386 could not be installed: Unable to locate package wine32:i386; $broken_index);\
 reproducible release (REPRODUCIBLE=no)." "$(tail -n 1 "$scratch/wine32.log")"
tree=$scratch/source/build/windows-x86
wine_tests=$(ctest --test-dir "$tree" -N -R '[.](wine|window)[.]' | grep -c 'Test *#' || true)
ctest --test-dir "$tree" -R '[.](wine|window)[.]' -V >"$scratch/ctest.log" 2>&1 || true
expect_equal "the tree has its end-to-end tests" yes "$( ((wine_tests > 20)) && echo yes || echo no)"
expect_equal "every one skipped" "$wine_tests" "$(grep -c 'Skipped *[0-9.]* sec' "$scratch/ctest.log")"
expect_equal "each with apt's reason" "$wine_tests" "$(grep -c ": skipped: wine32:i386 could not be\
 installed: Unable to locate package wine32:i386; $broken_index$" "$scratch/ctest.log")"
for exe in zade-config zade-config-gui obd-setup; do
  for check in exe-budget exe-resources exe-subsystem-version exe-xp-imports; do
    expect_equal "$exe $check ran and passed" 1 \
      "$(grep -c "Test *#[0-9]*: $exe[.]$check [.]* *Passed" "$scratch/wine32.log" || true)"
  done
done
finish
