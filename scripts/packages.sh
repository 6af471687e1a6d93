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

# What building the 64-bit Windows programs and running them under Wine needs.
RUN_PACKAGES=("${BUILD_TOOLS[@]}" "${WINDOWS_X64_COMPILER[@]}" wine64)
# What building and running the native zade-config needs.
NATIVE_RUN_PACKAGES=("${BUILD_TOOLS[@]}")
# The release archives: both Windows builds, without Wine, and the Linux ones.
RELEASE_PACKAGES=("${BUILD_TOOLS[@]}" git "${WINDOWS_X64_COMPILER[@]}" "${WINDOWS_X86_COMPILER[@]}"
                  "${LINUX_ARM_COMPILERS[@]}")
# Everything the test command needs on top: the other builds, qemu-user for
# the ARM programs, and the tools the tests use (binutils: the 32-bit probe's
# assembler; mount: the fresh-system test).
TEST_PACKAGES=("${RUN_PACKAGES[@]}" "${WINDOWS_X86_COMPILER[@]}" "${LINUX_ARM_COMPILERS[@]}"
               qemu-user binutils libgtest-dev libgmock-dev tmux bc clang-format icoutils mount)
# What making fresh Debian systems and running commands in them needs.
FRESH_SYSTEM_PACKAGES=(mmdebstrap mount)
# The 32-bit build's Wine, only for a machine that executes 32-bit x86
# programs (scripts/runs-x86-32).
WINE32_PACKAGES=(wine32:i386)

# The Debian packages of the release: dpkg-dev (dpkg-architecture,
# dpkg-parsechangelog, dpkg-shlibdeps) and binutils (readelf); their checks
# add lintian, and man-db and groff-base for the manual page.
RELEASE_PACKAGES+=(dpkg-dev binutils)
TEST_PACKAGES+=(dpkg-dev lintian man-db groff-base)

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
