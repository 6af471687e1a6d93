# shellcheck shell=bash
# Sourced by the signing tests. make_throwaway_signer DIR writes a code-signing
# certificate for the tests alone, as a vendor gets one: a root CA
# (DIR/root.crt), an intermediate CA, and the signer's certificate with its
# key and the intermediate in DIR/signer.p12, whose password is in
# DIR/password. Verifying against the root alone then holds only when a
# signature carries the chain.
make_throwaway_signer() {
  local dir=$1
  mkdir -p "$dir"
  printf 'throwaway\n' >"$dir/password"
  openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=Throwaway Root CA" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
    -keyout "$dir/root.key" -out "$dir/root.crt" 2>/dev/null
  issue_certificate "$dir" intermediate root "/CN=Throwaway Intermediate CA" \
    "basicConstraints=critical,CA:TRUE" "keyUsage=critical,keyCertSign"
  issue_certificate "$dir" signer intermediate "/CN=ORX Test Signer/O=ORX Test" \
    "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=codeSigning"
  openssl pkcs12 -export -inkey "$dir/signer.key" -in "$dir/signer.crt" \
    -certfile "$dir/intermediate.crt" -passout "file:$dir/password" -out "$dir/signer.p12"
}

# issue_certificate DIR NAME ISSUER SUBJECT EXTENSION...: DIR/NAME.key and
# DIR/NAME.crt, signed by DIR/ISSUER's key.
issue_certificate() {
  local dir=$1 name=$2 issuer=$3 subject=$4
  openssl req -newkey rsa:2048 -nodes -subj "$subject" -keyout "$dir/$name.key" \
    -out "$dir/$name.csr" 2>/dev/null
  openssl x509 -req -days 30 -in "$dir/$name.csr" -CA "$dir/$issuer.crt" -CAkey "$dir/$issuer.key" \
    -set_serial "0x$(openssl rand -hex 8)" -extfile <(printf '%s\n' "${@:5}") \
    -out "$dir/$name.crt" 2>/dev/null
}
