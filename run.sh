#!/usr/bin/env bash
# Installs what is missing, builds (Release) and starts Curvix on the bundled examples.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
curvix_install_missing
curvix_build build/release -DCMAKE_BUILD_TYPE=Release -DCURVIX_TESTS=OFF -DCURVIX_BENCH=OFF

if [ -x build/release/app/curvix ]; then
  exec build/release/app/curvix examples/rl_energisation.pl4 examples/motor_start.adf \
    examples/line_fault.cfg examples/load_harmonics.mat "$@"
fi
# Until the plotting program stands, show a solver at work on an example case.
cd examples
printf 'IEEE14\n\n' | ../build/release/loadflow/tolvan
