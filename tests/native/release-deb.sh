#!/usr/bin/env bash
# Usage: release-deb.sh PROGRAM VERSION TRIPLET
# Builds this program's Debian package into a scratch folder and checks it:
# lintian finds no error or warning; the files with their modes and owners;
# the control fields, Depends against what the program needs found another
# way; the manual page, which groff lints and which quotes the screen texts as
# the program has them.
set -euo pipefail
program=$1 version=$2 triplet=$3
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$here/../expect.sh"

yes_no() { "$@" && echo yes || echo no; }

arch=$(dpkg-architecture -t "$triplet" -qDEB_HOST_ARCH 2>/dev/null)
deb=$(bash "$here/../../packaging/deb/build-deb.sh" "$program" "$version" "$triplet" "$scratch/out")
expect_equal "package name" "zade-config_${version}_$arch.deb" "$(basename "$deb")"

lintian --fail-on error,warning "$deb" >"$scratch/lintian" 2>&1 && lint=0 || lint=$?
grep -v '^running with root privileges' "$scratch/lintian" || true
expect_equal "lintian: no error, no warning" "0" "$(echo $lint $(grep -E '^[EW]: ' "$scratch/lintian"))"

expect_equal "files, modes and owners" "drwxr-xr-x root/root ./
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/zade-config
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/zade-config/
-rw-r--r-- root/root ./usr/share/doc/zade-config/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/zade-config/copyright
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/zade-config.1.gz" \
  "$(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')"

# lintian above already fails a malformed Maintainer and an empty extended
# Description.
field() { dpkg-deb -f "$deb" "$1"; }
expect_equal "control fields" "zade-config $version $arch utils optional" \
  "$(echo $(field Package) $(field Version) $(field Architecture) $(field Section) $(field Priority))"
# What the program needs, found another way than the package's: dpkg-shlibdeps
# where the program is for this machine, its symbols' versions otherwise.
if [ "$arch" == "$(dpkg --print-architecture)" ]; then
  mkdir "$scratch/debian"
  printf 'Source: zade-config\n\nPackage: zade-config\nArchitecture: any\n' >"$scratch/debian/control"
  needs=$(cd "$scratch" && dpkg-shlibdeps -O "$program" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
else
  needs="libc6 (>= $("$triplet-objdump" -T "$program" | grep -o 'GLIBC_[0-9][0-9.]*' |
    sed 's/GLIBC_//' | sort -V | tail -n 1))"
fi
expect_equal "Depends: the C library the program needs" "$needs" "$(field Depends)"

dpkg-deb -x "$deb" "$scratch/root"
doc=$scratch/root/usr/share/doc/zade-config
expect_same_bytes "usr/bin/zade-config is the built program" "$program" "$scratch/root/usr/bin/zade-config"
zcat "$doc/changelog.gz" >"$scratch/changelog"
expect_equal "changelog names this version" "$version" \
  "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)"

page=$scratch/root/usr/share/man/man1/zade-config.1.gz
expect_same_bytes "manual page: the one beside the sources" <(zcat "$page") \
  "$here/../../zade-config/zade-config.1"
expect_equal "manual page: groff warns of nothing" "" "$(zcat "$page" | groff -man -ww -z 2>&1)"
rendered=$(MANWIDTH=200 LC_ALL=C.UTF-8 man -l "$page" 2>&1)
while IFS= read -r text; do
  expect_equal "the program and its page both say: $text" "yes yes" \
    "$(yes_no grep -qaF -- "$text" "$program") $(yes_no grep -qF -- "$text" <<<"$rendered")"
done <<'EOF'
1.Connect D-CAN adapter to USB port
2.Connect D-CAN adapter to car OBD connector.
3.Enter COM port number '1,2,3...':
ORX D-CAN USB INTERFACE
1 - Write config.        0 - Exit
------------------------------------------------------------
 in use or does not exist.
------------ CAN MODE ------------
1 = 500 kbit/s D-CAN and PTCAN
9 = 100 kbit/s K-CAN
0 = CAN OFF
Input CAN BUS MODE :
OK!!!
CAN BUS mode = 
    ( 500 kbit/s - D-CAN and PT-CAN )
    ( 100 kbit/s - K-CAN )
    ( CAN OFF )
Error, adapter not conected!!!
No answer read: nothing was sent to the adapter.
Press Enter...
EOF
finish
