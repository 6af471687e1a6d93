#!/usr/bin/env bash
# Usage: build-deb.sh PROGRAM VERSION TRIPLET OUT_DIR
# Packs the native zade-config (PROGRAM, built for the multiarch TRIPLET) with
# its manual page, copyright and changelog into the Debian binary package
# OUT_DIR/zade-config_VERSION_ARCH.deb and prints its path. Every file gets the
# time SOURCE_DATE_EPOCH names, so one commit gives the same bytes every time.
set -euo pipefail
program=$1 version=$2 triplet=$3 out=$4
here=$(dirname "$0")
manpage=$here/../../zade-config/zade-config.1
epoch=${SOURCE_DATE_EPOCH:-315532800}
export SOURCE_DATE_EPOCH=$epoch  # dpkg-deb's member times
umask 022

fail() {
  echo "build-deb.sh: $*" >&2
  exit 1
}

# glibc_depends PROGRAM: the C library at the newest GLIBC_ symbol version
# the program needs, read from its version needs. For glibc that is what
# dpkg-shlibdeps finds, without the target's libc registered with dpkg, which
# a cross build does not have.
glibc_depends() {
  local library newest
  for library in $(readelf -dW "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    [[ $library =~ ^(libc|libm)\.so\.6$|^ld-linux ]] || fail "$1 needs $library, which is not glibc's"
  done
  newest=$(readelf -VW "$1" | grep -o 'Name: GLIBC_[0-9][0-9.]*' | sed 's/.*GLIBC_//' | sort -V | tail -n 1)
  [ -n "$newest" ] || fail "$1 names no GLIBC_ version"
  echo "libc6 (>= $newest)"
}

# installed_size ROOT: KiB as dpkg-gencontrol counts them, each file rounded
# up, one for every folder and link.
installed_size() {
  find "$1" -path "$1/DEBIAN" -prune -o -mindepth 1 -printf '%y %s\n' |
    awk '{ kib += $1 == "f" ? int(($2 + 1023) / 1024) : 1 } END { print kib }'
}

arch=$(dpkg-architecture -t "$triplet" -qDEB_HOST_ARCH 2>/dev/null) || fail "no Debian architecture for $triplet"
[ "$(dpkg-parsechangelog -l "$here/changelog" -S Version)" == "$version" ] ||
  fail "packaging/deb/changelog has no entry for $version at its top"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root=$stage/root
doc=$root/usr/share/doc/zade-config
install -d "$root/DEBIAN" "$root/usr/bin" "$root/usr/share/man/man1" "$doc"
install -m 0755 "$program" "$root/usr/bin/zade-config"
gzip -9n <"$manpage" >"$root/usr/share/man/man1/zade-config.1.gz"
gzip -9n <"$here/changelog" >"$doc/changelog.gz"
install -m 0644 "$here/copyright" "$doc/copyright"
chmod 0644 "$root/usr/share/man/man1/zade-config.1.gz" "$doc/changelog.gz"

cat >"$root/DEBIAN/control" <<EOF
Package: zade-config
Version: $version
Architecture: $arch
Maintainer: ORX D-CAN USB maintainers <maintainers@example.com>
Installed-Size: $(installed_size "$root")
Depends: $(glibc_depends "$program")
Section: utils
Priority: optional
Description: set the CAN bus mode of the ORX D-CAN USB diagnostic adapter
 zade-config talks to the ORX D-CAN USB adapter, which connects a car's OBD
 connector to a USB port, over its serial device. In the terminal it asks for
 the port and the CAN bus mode (500 kbit/s for D-CAN and PT-CAN, 100 kbit/s
 for K-CAN, or CAN off), sends that mode to the adapter and shows the mode the
 adapter reports back.
EOF
(cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
find "$root" -exec touch -h -d "@$epoch" {} +

mkdir -p "$out"
deb=$out/zade-config_${version}_$arch.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
