#!/bin/sh
# scripts/fuzz.sh [SECONDS]: builds the libFuzzer harnesses (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for SECONDS (default 600), starting
# from the committed seed corpus. Fails on the first finding; the crashing input is left in
# build-fuzz/findings/. What the runs discover is kept in build-fuzz/corpus/, not in the tree.
set -eu
seconds=${1:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build-fuzz"
fuzzers="properties_file_fuzzer store_round_trip_fuzzer scenario_parser_fuzzer wave_file_fuzzer"

"$root/scripts/install-deps.sh"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMDS_SANITIZE=address -DMDS_BUILD_FUZZERS=ON -DMDS_BUILD_TESTS=OFF -DMDS_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build "$dir" -j "$(nproc)" --target $fuzzers

mkdir -p "$dir/findings"
for fuzzer in $fuzzers; do
  corpus="$dir/corpus/$fuzzer"
  mkdir -p "$corpus"
  echo "== $fuzzer for ${seconds}s"
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$dir/bin/$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/findings/$fuzzer-" "$corpus" "$root/fuzz/corpus/$fuzzer" 2>"$dir/$fuzzer.log" || {
      tail -n 60 "$dir/$fuzzer.log"
      echo "$fuzzer found a fault; the input is in $dir/findings/" >&2
      exit 1
    }
  grep -E "^(Done|stat::number_of_executed_units)" "$dir/$fuzzer.log" || true
done
echo "== no findings"
