#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for SECONDS (default 60).
# Exits non-zero when any harness finds something (crash, leak, out-of-memory, timeout);
# the input that caused it is in fuzz-out/<harness>/artifacts/.
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh || exit 2
seconds=${1:-60}
build=${BUILD_DIR:-build-fuzz}
harnesses=(catalogue quest project exchange po xliff journal tbx)
CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DXG_BUILD_FUZZ=ON -DXG_BUILD_TESTS=OFF -DXG_BUILD_UI=OFF >/dev/null || exit 2
cmake --build "$build" -j "$(nproc)" --target "${harnesses[@]/#/fuzz_}" || exit 2
status=0
for harness in "${harnesses[@]}"; do
  work=fuzz-out/$harness
  mkdir -p "$work/corpus" "$work/artifacts"
  echo "== $harness: ${seconds}s"
  "./$build/bin/fuzz_$harness" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" "fuzz/corpus/$harness" >"$work/log.txt" 2>&1
  code=$?
  grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$work/log.txt" | tail -2
  if [ $code -ne 0 ]; then
    echo "!! $harness found something (exit $code): see $work/log.txt and $work/artifacts/"
    tail -30 "$work/log.txt"
    status=1
  fi
done
exit $status
