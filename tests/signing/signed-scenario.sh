#!/usr/bin/env bash
# Usage: signed-scenario.sh SCENARIO
# Runs an end-to-end scenario on the exes of BIN_DIR signed as a release
# signs them, with a throwaway certificate: the signature appended to an exe
# must not change how it runs.
set -euo pipefail
source "$SOURCE_DIR/tests/signing/throwaway-signer.sh"
source "$SOURCE_DIR/scripts/signing.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_throwaway_signer "$work/signer"
export SIGN_PKCS12=$work/signer/signer.p12 SIGN_PASSWORD_FILE=$work/signer/password
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date +%s)}
mkdir "$work/bin"
cp "$BIN_DIR"/*.exe "$work/bin/"
for exe in "$work"/bin/*.exe; do sign_exe "$exe"; done
BIN_DIR=$work/bin bash "$1"
