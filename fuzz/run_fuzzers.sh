#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while, growing
# the corpora under fuzz/corpus. Not part of the test run: slow by design.
#   fuzz/run_fuzzers.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCURVIX_FUZZ=ON -DCURVIX_SANITIZE=ON -DCURVIX_TESTS=OFF -DCURVIX_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target fuzz_adf fuzz_pl4 fuzz_comtrade fuzz_mat
for fmt in adf pl4 comtrade mat; do
  echo "== $fmt"
  build/fuzz/fuzz/fuzz_$fmt -max_total_time="$secs" -max_len=65536 -rss_limit_mb=2048 \
    -artifact_prefix=fuzz/ fuzz/corpus/$fmt
done
