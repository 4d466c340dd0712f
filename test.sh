#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in Release,
# then again with AddressSanitizer and UndefinedBehaviorSanitizer (which
# also replays the fuzzing corpora).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
curvix_install_missing
curvix_comma_locale

export QT_QPA_PLATFORM=offscreen
# A tool, font or locale that a test checks against fails that test here, never skips it.
export CURVIX_STRICT=1
jobs=$(nproc)

curvix_configure build/release "${CURVIX_RELEASE_OPTIONS[@]}"
curvix_build build/release
ctest --test-dir build/release -j "$jobs" --output-on-failure --no-tests=error --timeout 600

# Allocation failures must reach the code as null, as they would in a real run.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
curvix_configure build/asan -DCMAKE_BUILD_TYPE=Debug -DCURVIX_SANITIZE=ON -DCURVIX_TESTS=ON -DCURVIX_BENCH=OFF
curvix_build build/asan
ctest --test-dir build/asan -j "$jobs" --output-on-failure --no-tests=error --timeout 900
