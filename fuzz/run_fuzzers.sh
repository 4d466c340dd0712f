#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the readers they call instrumented
# too, under AddressSanitizer and UndefinedBehaviorSanitizer) and runs them in
# parallel. Not part of the test run: slow by design.
#   fuzz/run_fuzzers.sh [-t seconds | -n runs] [-j cores] [-p processes] [target...]
#   fuzz/run_fuzzers.sh [seconds]
# Defaults: 60 seconds per target, 4 cores, one process per target, every
# target. With -p, each target runs that many processes on one corpus and
# the runs of -n are shared among them (a slow target catches up). Inputs the
# fuzzer finds interesting grow build/fuzz-clang/corpus/<target>; the seed
# corpora in fuzz/corpus (replayed by the tests) change only by hand. A
# finding is written to build/fuzz-clang/findings/<target>-*.
# Limits: inputs up to 8 KiB (every reader's structure fits; longer inputs
# only slow the search); no single allocation above 512 MiB, since a reader
# allocates from what the file holds and no input here comes near that; 10 s
# per input, which no reader needs on 8 KiB.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time=60)
runs=0
jobs=4
procs=1
# A bare number first is the seconds per target, as before the options.
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
  limit=(-max_total_time="$1")
  shift
fi
while getopts "t:n:j:p:" opt; do
  case $opt in
    t) limit=(-max_total_time="$OPTARG") ;;
    n) runs=$OPTARG ;;
    j) jobs=$OPTARG ;;
    p) procs=$OPTARG ;;
    *) echo "usage: $0 [-t seconds | -n runs] [-j cores] [-p processes] [target...]" >&2; exit 2 ;;
  esac
done
[ "$runs" -gt 0 ] && limit=(-runs=$(((runs + procs - 1) / procs)))
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(adf pl4 comtrade mat case)

build=build/fuzz-clang
CC=clang CXX=clang++ cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCURVIX_FUZZ=ON -DCURVIX_SANITIZE=ON -DCURVIX_TESTS=OFF -DCURVIX_BENCH=OFF >/dev/null
cmake --build $build -j "$(nproc)" $(printf -- '--target fuzz_%s ' "${targets[@]}") >/dev/null

mkdir -p $build/logs $build/findings
# A small quarantine still catches a use after free within one input, and
# spares the page faults of recycling 256 MiB: two to three times the speed.
export ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1:quarantine_size_mb=16
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
  local t=$1
  mkdir -p $build/corpus/$t
  rm -f $build/logs/$t.*.log
  local start=$SECONDS rc=0 pids=() i
  for ((i = 1; i <= procs; i++)); do
    $build/fuzz/fuzz_$t "${limit[@]}" -max_len=8192 -rss_limit_mb=2048 -malloc_limit_mb=512 \
      -timeout=10 -print_final_stats=1 -artifact_prefix=$build/findings/$t- \
      $build/corpus/$t fuzz/corpus/$t >$build/logs/$t.$i.log 2>&1 &
    pids+=($!)
  done
  for i in "${pids[@]}"; do
    wait "$i" || rc=$?
  done
  echo "$rc $((SECONDS - start))" >$build/logs/$t.status
}

slots=$((jobs / procs))
[ $slots -lt 1 ] && slots=1
running=0
for t in "${targets[@]}"; do
  if [ $running -ge $slots ]; then
    wait -n
    running=$((running - 1))
  fi
  run_one "$t" &
  running=$((running + 1))
done
wait

failed=0
printf '%-10s %12s %8s %8s %7s  %s\n' target executions cov ft seconds finding
for t in "${targets[@]}"; do
  read -r rc secs <$build/logs/$t.status
  execs=0 cov=0 ft=0
  for log in $build/logs/$t.*.log; do
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1 || true)
    c=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
    f=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
    execs=$((execs + ${n:-0}))
    [ "${c:-0}" -gt $cov ] && cov=$c
    [ "${f:-0}" -gt $ft ] && ft=$f
  done
  finding=none
  if [ "$rc" -ne 0 ]; then
    finding=$(cat $build/logs/$t.*.log | grep -m1 -oE 'ERROR: [A-Za-z]+: [^ ]+|runtime error: .*|ERROR: libFuzzer: [a-z-]+' || echo "exit $rc")
    finding="$finding (see $build/logs/$t.*.log)"
    failed=1
  fi
  printf '%-10s %12s %8s %8s %7s  %s\n' "$t" "$execs" "$cov" "$ft" "$secs" "$finding"
done
exit $failed
