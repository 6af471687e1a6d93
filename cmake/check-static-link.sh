#!/usr/bin/env bash
# Usage: check-static-link.sh MAP PROGRAM
# Run after the static link of PROGRAM, whose link map with its cross
# reference table is MAP (-Wl,-Map=MAP,--cref). Fails, and removes PROGRAM,
# when anything linked but the C library itself refers to what static glibc
# does badly: the name service switch (users, groups, hosts, services),
# iconv, locales and message catalogs, dlopen. Each loads, at run time,
# shared objects of the glibc it was linked with, which the target need not
# have. (glibc's own stdio refers to some of them, for wide characters it is
# never given; only references from elsewhere count.)
set -euo pipefail
map=$1 program=$2
forbidden='^(get(pw|gr)(nam|uid|gid|ent)(_r)?|getspnam(_r)?|(set|end|get)(pw|gr|sp|host|serv|proto|net|rpc|alias|netgr)ent(_r)?|get(host|serv|proto|net|rpc|alias)by[a-z0-9_]*|innetgr|getaddrinfo|getnameinfo|getlogin(_r)?|initgroups|getgrouplist|iconv[a-z_]*|setlocale|newlocale|uselocale|duplocale|nl_langinfo(_l)?|catopen|catgets|[a-z]*gettext|textdomain|bindtextdomain|dlopen|dlmopen|dlsym|dlvsym)$'
# In the table a symbol starts a line (with the file defining it); the
# indented lines after it name the files referring to it.
found=$(awk -v forbidden="$forbidden" '
  /^Cross Reference Table/ { table = 1; next }
  !table { next }
  /^[^ \t]/ { symbol = $1 ~ forbidden ? $1 : ""; next }
  symbol != "" && $1 !~ /\/libc\.a\(/ { print "  " symbol ", from " $1 }' "$map")
[ -z "$found" ] && exit 0
echo "check-static-link.sh: $program refers to what a static glibc program must not use:" >&2
echo "$found" >&2
rm -f "$program"
exit 1
