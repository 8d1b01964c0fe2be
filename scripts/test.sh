#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test of Velmory:
#   1. the plain g++ build: unit, OpenGL and end-to-end tests, the resource check; benchmarks are
#      built (not run);
#   2. the same tests built by clang with AddressSanitizer + UndefinedBehaviorSanitizer, and the
#      file loaders' fuzzers run for a bounded time;
#   3. the same tests built by clang with ThreadSanitizer.
# Any failure or sanitizer finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

./scripts/deps.sh

fuzz_seconds=${VELMORY_FUZZ_SECONDS:-60}
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/testing/lsan.supp:print_suppressions=0"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/testing/tsan.supp"

step() { printf '\n==== %s ====\n' "$*"; }

configure() {  # configure DIR COMPILER_C COMPILER_CXX EXTRA...
  local dir=$1 cc=$2 cxx=$3
  shift 3
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" "$@" >/dev/null
}

summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

run_tests() {  # run_tests DIR: unit and GL tests in parallel, then the end-to-end runs one by one
  ctest --test-dir "$1" --output-on-failure -j2 -LE e2e | tee -a "$summary"
  ctest --test-dir "$1" --output-on-failure -L e2e --no-tests=ignore | tee -a "$summary"
}

step "plain build (g++)"
configure build/gcc gcc g++ -DVELMORY_BUILD_TOOLS=ON -DVELMORY_BUILD_BENCHMARKS=ON
cmake --build build/gcc
run_tests build/gcc

step "AddressSanitizer + UndefinedBehaviorSanitizer build (clang), with fuzzers"
configure build/asan clang clang++ -DVELMORY_SANITIZE=address -DVELMORY_BUILD_FUZZERS=ON
cmake --build build/asan
run_tests build/asan

step "fuzzing the file loaders for ${fuzz_seconds} s each"
pids=()
for fuzzer in build/asan/image/fuzz_tga build/asan/text/fuzz_font; do
  name=$(basename "$fuzzer")
  folder=$(basename "$(dirname "$fuzzer")")
  scratch=$(mktemp -d)
  "$fuzzer" "$scratch" "$folder/fuzz/corpus" -dict="$folder/fuzz/${name#fuzz_}.dict" \
    -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$scratch/" >"build/asan/$name.log" 2>&1 &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for log in build/asan/fuzz_*.log; do
  grep -E '^(Done|stat::number_of_executed_units)|ERROR|Crash|crash-' "$log" | sed "s|^|$(basename "$log" .log): |" || true
done
if [ $status -ne 0 ]; then
  echo "a fuzzer found a fault; see build/asan/fuzz_*.log" >&2
  exit 1
fi

step "ThreadSanitizer build (clang)"
configure build/tsan clang clang++ -DVELMORY_SANITIZE=thread
cmake --build build/tsan
run_tests build/tsan

step "all test runs passed"
# ctest's own lines read "100% tests passed, 0 tests failed out of N"; add them up.
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$summary" | awk '{ n += $1 } END { print n + 0 }')
echo "$total passed, 0 failed"
