#!/usr/bin/env bash
# Installs what is missing, builds (Release) and starts Curvix on the bundled examples.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
curvix_install_missing
curvix_configure build/release "${CURVIX_RELEASE_OPTIONS[@]}"
curvix_build build/release curvix tolvan tolvex tolvid mabrek

exec build/release/app/curvix examples/rl_energisation.pl4 examples/motor_start.adf \
  examples/line_fault.cfg examples/load_harmonics.mat "$@"
