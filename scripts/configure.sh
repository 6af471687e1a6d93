# shellcheck shell=bash
# Sourced by the scripts that configure build trees.

# configure_preset PRESET [CMAKE ARGS...]: configures the preset's tree (or
# the one -B names). A tree that kept a failed compiler probe, because it was
# first configured before the compiler was installed, is configured afresh
# instead of being built with the host's archiver and without its flags.
configure_preset() {
  local log status
  log=$(mktemp)
  cmake --preset "$@" >"$log" 2>&1 && status=0 || status=$?
  if ((status != 0)) && grep -q 'kept a failed compiler probe' "$log"; then
    echo "configure_preset $1: the tree kept a failed compiler probe; configuring it afresh"
    cmake --preset "$@" --fresh >"$log" 2>&1 && status=0 || status=$?
  fi
  cat "$log"
  rm -f "$log"
  return "$status"
}

# configure_for_tests PRESET [CMAKE ARGS...]: configures the preset's tree as
# the test command tests it, whatever an earlier configure left in its cache:
# warnings as errors and the end-to-end tests on (the presets set the other
# options themselves).
configure_for_tests() {
  configure_preset "$@" -DWERROR=ON -DE2E_TESTS=ON
}
