# shellcheck shell=bash
# Sourced by scripts/release and the signing tests: Authenticode signatures
# for the Windows exes, made with osslsigncode when SIGN_PKCS12 names a
# PKCS#12 file (the code-signing certificate, its chain and its key) and
# SIGN_PASSWORD_FILE a file holding its password. With SIGN_TIMESTAMP_URL set,
# an RFC 3161 timestamp server countersigns each signature.

# What a signature shows as its description: the product and its web address.
SIGNED_DESCRIPTION="ORX D-CAN USB INTERFACE"
SIGNED_URL=https://www.example.com

signing_requested() { [ -n "${SIGN_PKCS12:-}${SIGN_PASSWORD_FILE:-}" ]; }

signing_fails() {
  echo "cannot sign: $*" >&2
  exit 1
}

# check_signing_inputs: exits with a message naming the variable at fault
# unless both name readable files and the password opens the PKCS#12 file.
check_signing_inputs() {
  local variable file opened
  for variable in SIGN_PKCS12 SIGN_PASSWORD_FILE; do
    file=${!variable:-}
    if [ -z "$file" ]; then
      signing_fails "$variable is not set: set both SIGN_PKCS12 and SIGN_PASSWORD_FILE, or neither"
    elif [ ! -e "$file" ]; then
      signing_fails "$variable names $file, which does not exist"
    elif [ ! -f "$file" ] || [ ! -r "$file" ]; then
      signing_fails "$variable names $file, which is not a file that can be read"
    fi
  done
  # osslsigncode takes the whole file, less its line end, as the password.
  if (($(awk 'END { print NR }' "$SIGN_PASSWORD_FILE") > 1)); then
    signing_fails "SIGN_PASSWORD_FILE ($SIGN_PASSWORD_FILE) must hold the password alone, on one line"
  fi
  # -legacy also opens files made with the older ciphers Windows still exports.
  if ! opened=$(tr -d '\r' <"$SIGN_PASSWORD_FILE" |
    openssl pkcs12 -legacy -noout -in "$SIGN_PKCS12" -passin stdin 2>&1); then
    signing_fails "the password in SIGN_PASSWORD_FILE ($SIGN_PASSWORD_FILE) does not open" \
      "SIGN_PKCS12 ($SIGN_PKCS12): a wrong password, or not a PKCS#12 file" \
      "(openssl: $(head -1 <<<"$opened"))"
  fi
}

# sign_exe EXE: replaces EXE by its signed form. The signing time is
# SOURCE_DATE_EPOCH, so one commit and one RSA certificate give the same bytes
# each time; a timestamp, or an ECDSA key, makes each signature new.
sign_exe() {
  local timestamp=() said
  [ -z "${SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$SIGN_TIMESTAMP_URL")
  if ! said=$(osslsigncode sign -pkcs12 "$SIGN_PKCS12" -readpass "$SIGN_PASSWORD_FILE" -h sha256 \
    -n "$SIGNED_DESCRIPTION" -i "$SIGNED_URL" -time "$SOURCE_DATE_EPOCH" "${timestamp[@]}" \
    -in "$1" -out "$1.signed" 2>&1); then
    rm -f "$1.signed"
    echo "$said" >&2
    signing_fails "osslsigncode could not sign $1"
  fi
  chmod --reference="$1" "$1.signed"
  mv "$1.signed" "$1"
}
