#!/usr/bin/env bash
# Usage: signed-release.sh SIGNER_DIR SIGNED_RELEASE UNSIGNED_RELEASE
# Checks a release signed with make_throwaway_signer's certificate against
# one built unsigned from the same commit; then that bad signing settings
# stop a release and leave nothing in its folder.
set -euo pipefail
signer=$(realpath "$1") signed=$(realpath "$2") unsigned=$(realpath "$3")
repo=$(realpath "$(dirname "$0")/../..")
source "$repo/tests/expect.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir "$scratch/signed" "$scratch/unsigned"
for zip in "$signed"/*.zip; do
  (cd "$scratch/signed" && cmake -E tar xf "$zip")
  (cd "$scratch/unsigned" && cmake -E tar xf "$unsigned/$(basename "$zip")")
done
exes=$(cd "$scratch/signed" && ls -- */*.exe)
expect_equal "signed exes" 6 "$(wc -w <<<"$exes")"
# verified_field NAME: the value osslsigncode's verify gave for NAME.
verified_field() { tr -s ' \t' ' ' <<<"$verified" | sed -n "s/^ *$1: //p" | head -1; }
for exe in $exes; do
  file=$scratch/signed/$exe
  verified=$(osslsigncode verify -CAfile "$signer/root.crt" -in "$file" 2>&1) && holds=yes || holds=no
  expect_equal "$exe: signature and chain hold against the root alone" yes "$holds"
  expect_equal "$exe: signer" "/CN=ORX Test Signer/O=ORX Test" \
    "$(awk '/^Signer.s certificate:/ { found = 1 } found && /Subject:/ { sub(/.*Subject: /, ""); print; exit }' \
      <<<"$verified")"
  expect_equal "$exe: digest" SHA256 "$(verified_field 'Message digest algorithm')"
  expect_equal "$exe: description" "ORX D-CAN USB INTERFACE" "$(verified_field 'Text description')"
  expect_equal "$exe: web address" https://www.example.com "$(verified_field 'URL description')"

  # One byte of the code inverted: the digest no longer matches.
  cp "$file" "$scratch/changed.exe"
  byte=$(od -An -tu1 -j4096 -N1 "$file")
  printf "\\x$(printf %02x $((255 - byte)))" |
    dd of="$scratch/changed.exe" bs=1 seek=4096 conv=notrunc status=none
  osslsigncode verify -CAfile "$signer/root.crt" -in "$scratch/changed.exe" >/dev/null 2>&1 &&
    holds=yes || holds=no
  expect_equal "$exe: signature of a changed exe" no "$holds"

  osslsigncode remove-signature -in "$file" -out "$scratch/removed.exe" >/dev/null
  expect_same_bytes "$exe without its signature is the unsigned release's" \
    "$scratch/removed.exe" "$scratch/unsigned/$exe"
  rm "$scratch/changed.exe" "$scratch/removed.exe"
done
# Signing touches the Windows exes only.
for file in "$unsigned"/*.tar.gz "$unsigned"/*.deb; do
  expect_same_bytes "$(basename "$file") is the signed release's" "$file" "$signed/$(basename "$file")"
done

# refused CASE MESSAGE VARIABLE=VALUE...: a release with these settings stops,
# says MESSAGE, and leaves its folder without a file.
printf 'not the password\n' >"$scratch/wrong-password"
mkdir "$scratch/folder"
p12=$signer/signer.p12 password=$signer/password
refused() {
  local out=$scratch/release-${1// /-} said status
  said=$(env "${@:3}" "$repo/scripts/release" "$out" 2>&1) && status=0 || status=$?
  expect_equal "$1: release stops" 1 "$status"
  expect_equal "$1: says so" yes "$(grep -qF -- "$2" <<<"$said" && echo yes || echo "no: $said")"
  expect_equal "$1: files left" "" "$(find "$out" -type f 2>/dev/null | head -3 | xargs)"
}
refused "wrong password" "the password in SIGN_PASSWORD_FILE ($scratch/wrong-password) does not open" \
  "SIGN_PKCS12=$p12" "SIGN_PASSWORD_FILE=$scratch/wrong-password"
refused "missing certificate" "SIGN_PKCS12 names $scratch/none.p12, which does not exist" \
  "SIGN_PKCS12=$scratch/none.p12" "SIGN_PASSWORD_FILE=$password"
refused "unreadable password file" "SIGN_PASSWORD_FILE names $scratch/folder, which is not a file" \
  "SIGN_PKCS12=$p12" "SIGN_PASSWORD_FILE=$scratch/folder"
printf 'throwaway\nthrowaway\n' >"$scratch/two-lines"
refused "password file of two lines" "must hold the password alone" \
  "SIGN_PKCS12=$p12" "SIGN_PASSWORD_FILE=$scratch/two-lines"
# A timestamp server that cannot be reached fails the first exe's signing,
# after the first build: what was built goes too.
refused "timestamp server down" "osslsigncode could not sign" \
  "SIGN_PKCS12=$p12" "SIGN_PASSWORD_FILE=$password" "SIGN_TIMESTAMP_URL=http://127.0.0.1:9/"
finish
