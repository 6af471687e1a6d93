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

# What building the 64-bit Windows programs and running them under Wine needs.
RUN_PACKAGES=("${BUILD_TOOLS[@]}" "${WINDOWS_X64_COMPILER[@]}" "${ICON_TOOLS[@]}" wine64)
# What building and running the native zade-config needs.
NATIVE_RUN_PACKAGES=("${BUILD_TOOLS[@]}")
# The release: both Windows builds, without Wine, and the Linux ones; git for
# the commit's time; the Debian packages' dpkg-dev (dpkg-architecture,
# dpkg-parsechangelog) and binutils (readelf).
RELEASE_PACKAGES=("${BUILD_TOOLS[@]}" git "${WINDOWS_X64_COMPILER[@]}" "${WINDOWS_X86_COMPILER[@]}"
                  "${ICON_TOOLS[@]}" "${LINUX_ARM_COMPILERS[@]}" dpkg-dev binutils)
# What signing the exes needs (scripts/signing.sh).
SIGNING_PACKAGES=(osslsigncode openssl)
# The window's tests: a headless X server, keys typed into it, and Wine's own
# fonts, which Wine's packages only recommend (without them the dialog's size
# comes out wrong).
WINDOW_TEST_PACKAGES=(xvfb xdotool fonts-wine)
# Everything the test command needs: the release, signed and not, the 64-bit
# Wine run, qemu-user for the ARM programs, and the tools the tests use
# (binutils: the 32-bit probe's assembler; mount: the fresh-system test and
# the runs in a root of their own; mmdebstrap: the Debian 11 one; dpkg-dev,
# lintian, man-db, groff-base: the package checks).
TEST_PACKAGES=("${RELEASE_PACKAGES[@]}" "${SIGNING_PACKAGES[@]}" wine64 qemu-user libgtest-dev
               libgmock-dev tmux bc clang-format mount mmdebstrap lintian man-db groff-base
               "${WINDOW_TEST_PACKAGES[@]}")
# What making fresh Debian systems and running commands in them needs.
FRESH_SYSTEM_PACKAGES=(mmdebstrap mount)
# The 32-bit build's Wine, only for a machine that executes 32-bit x86
# programs (scripts/runs-x86-32).
WINE32_PACKAGES=(wine32:i386)

# install_missing PACKAGE...: exits the script when something is missing and
# cannot be installed.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
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
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  # apt's unprivileged downloader needs a /tmp that everyone can write to.
  local sandbox=()
  [ "$(stat -c %a /tmp)" == 1777 ] || sandbox=(-o APT::Sandbox::User=root)
  "${as_root[@]}" apt-get "${sandbox[@]}" update -q
  "${as_root[@]}" apt-get "${sandbox[@]}" install -y -q --no-install-recommends "${missing[@]}"
}
