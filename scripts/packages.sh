# Sourced by the scripts: the Debian packages each job needs, and
# install_missing, which installs those not yet installed (as root, or through
# sudo for a user at a terminal).

# The MinGW-w64 cross compilers of each Windows build.
WINDOWS_X64_COMPILER=(g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64)
WINDOWS_X86_COMPILER=(g++-mingw-w64-i686-win32 binutils-mingw-w64-i686)
# Debian's cross compilers of the ARM Linux builds (Raspberry Pi OS).
LINUX_ARM_COMPILERS=(g++-aarch64-linux-gnu g++-arm-linux-gnueabihf)

# What every build needs: CMake, its generator's make, the host compiler.
BUILD_TOOLS=(cmake make g++)
# What turns the drawing of the exes' icon into a .ico: rsvg-convert, icotool.
ICON_TOOLS=(librsvg2-bin icoutils)

# The web page: Debian's Emscripten, whose cache comes prebuilt; its tests'
# headless Chromium, and Debian's Python with its WebSocket server.
WEB_PACKAGES=(emscripten)
WEB_TEST_PACKAGES=(chromium python3 python3-websockets)
# What building the 64-bit Windows programs and running them under Wine needs.
RUN_PACKAGES=("${BUILD_TOOLS[@]}" "${WINDOWS_X64_COMPILER[@]}" "${ICON_TOOLS[@]}" wine64)
# What building and running the native zade-config needs.
NATIVE_RUN_PACKAGES=("${BUILD_TOOLS[@]}")
# The release: both Windows builds, without Wine, and the Linux ones; git for
# the commit's time; the Debian packages' dpkg-dev (dpkg-architecture,
# dpkg-parsechangelog) and binutils (readelf).
RELEASE_PACKAGES=("${BUILD_TOOLS[@]}" git "${WINDOWS_X64_COMPILER[@]}" "${WINDOWS_X86_COMPILER[@]}"
                  "${ICON_TOOLS[@]}" "${LINUX_ARM_COMPILERS[@]}" dpkg-dev binutils "${WEB_PACKAGES[@]}")
# What signing the exes needs (scripts/signing.sh).
SIGNING_PACKAGES=(osslsigncode openssl)
# The window's tests: a headless X server, keys typed into it, Wine's own
# fonts, which Wine's packages only recommend (without them the dialog's size
# comes out wrong), and its screenshots (xwd, and netpbm for the PNG).
WINDOW_TEST_PACKAGES=(xvfb xdotool fonts-wine x11-apps netpbm)
# Everything the test command needs: the release, signed and not, the 64-bit
# Wine run, qemu-user for the ARM programs, and the tools the tests use
# (binutils: the 32-bit probe's assembler; mount: the fresh-system test and
# the runs in a root of their own; mmdebstrap: the Debian 11 one; dpkg-dev,
# lintian, man-db, groff-base: the package checks).
TEST_PACKAGES=("${RELEASE_PACKAGES[@]}" "${SIGNING_PACKAGES[@]}" wine64 qemu-user libgtest-dev
               libgmock-dev tmux bc clang-format mount mmdebstrap lintian man-db groff-base
               "${WINDOW_TEST_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}")
# What making fresh Debian systems and running commands in them needs.
FRESH_SYSTEM_PACKAGES=(mmdebstrap mount)
# The 32-bit build's Wine, only for a machine that executes 32-bit x86
# programs (scripts/runs-x86-32).
WINE32_PACKAGES=(wine32:i386)

# How often apt is tried, and how far apart: an archive mid-sync, or a
# connection that drops, fails one try and often not the next.
PACKAGE_TRIES=3
PACKAGE_RETRY_SECONDS=${PACKAGE_RETRY_SECONDS:-5}

# retried WHAT COMMAND...: runs COMMAND until it succeeds, PACKAGE_TRIES times
# at most; fails when the last try does. WHAT names it in the messages.
retried() {
  local what=$1 try
  shift
  for ((try = 1; ; try++)); do
    "$@" && return 0
    ((try < PACKAGE_TRIES)) || return 1
    echo "$what failed: try $((try + 1)) of $PACKAGE_TRIES in $PACKAGE_RETRY_SECONDS s" >&2
    sleep "$PACKAGE_RETRY_SECONDS"
  done
}

# missing_packages PACKAGE...: those not installed, one a line.
missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# install_missing PACKAGE...: installs those not yet installed; exits the
# script, after apt's own messages, when they cannot be.
install_missing() {
  try_install_missing "$@" && return 0
  echo "$PACKAGE_FAILURE" >&2
  exit 1
}

# try_install_missing PACKAGE...: the same, but fails instead, with
# PACKAGE_FAILURE saying which could not be installed, in apt's own words.
try_install_missing() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]} > 0)) || return 0
  echo "installing: ${missing[*]}"
  # A user at a terminal is asked for the sudo password; anywhere else only
  # root can install.
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null || [ ! -t 0 ]; then
      echo "missing packages and not root: install them with apt-get first" >&2
      exit 1
    fi
    as_root=(sudo DEBIAN_FRONTEND=noninteractive)
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [[ " ${missing[*]}" == *:i386* ]] && ! apt-config dump APT::Architectures | grep -q '"i386";'; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  # apt's unprivileged downloader needs a /tmp that everyone can write to.
  local sandbox=()
  [ "$(stat -c %a /tmp)" == 1777 ] || sandbox=(-o APT::Sandbox::User=root)
  local log
  log=$(mktemp -d)
  if retried apt-get apt_update_install "$log" "${as_root[@]}" apt-get "${sandbox[@]}" -q -- "${missing[@]}"; then
    rm -rf "$log"
    return 0
  fi
  PACKAGE_FAILURE="${missing[*]} could not be installed: $(apt_reasons "$log/install")"
  if [ -e "$log/update-failed" ]; then
    PACKAGE_FAILURE+="; apt-get update failed: $(apt_reasons "$log/update")"
  fi
  rm -rf "$log"
  return 1
}

# apt_update_install LOG_DIR APT_GET... -- PACKAGE...: one try. A failed update
# is no failure yet: apt then installs from the package lists it has, which
# may well hold the packages (an index of another architecture may be the one
# that failed). Each step's output goes to the terminal and to LOG_DIR.
apt_update_install() {
  local log=$1 apt=()
  shift
  while [ "$1" != -- ]; do apt+=("$1"); shift; done
  shift
  rm -f "$log/update-failed"
  "${apt[@]}" update 2>&1 | tee "$log/update" || touch "$log/update-failed"
  "${apt[@]}" install -y --no-install-recommends "$@" 2>&1 | tee "$log/install"
}

# apt_reasons LOG: why apt failed, on one line, from its output: each failed
# download's index and apt's reason (without the mirror's address), or else
# its errors.
apt_reasons() {
  local reasons
  reasons=$(awk '
    failed { sub(/^ +/, ""); sub(/ \[IP: [^]]*\]$/, ""); print what ": " $0; failed = 0; next }
    /^Err:/ { $1 = ""; $2 = ""; sub(/^ +/, ""); what = $0; failed = 1 }' "$1")
  [ -n "$reasons" ] || reasons=$(sed -n 's/^E: //p' "$1")
  [ -n "$reasons" ] || reasons="apt-get said no more (see above)"
  awk 'NR > 1 { printf "; " } { printf "%s", $0 } END { print "" }' <<<"$reasons"
}
