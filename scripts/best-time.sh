# Sourced by the speed scripts: the optimised build they time, and the shortest wall-clock and
# processor (user + system) time of each named kind of run, in milliseconds, in the arrays wall and
# cpu. `timed` needs $work, a scratch folder.

# release_build DEFAULT_DIR UI TARGET...: $BUILD_DIR (default DEFAULT_DIR) configured once as an
# optimised build with the benchmarks, the window ON or OFF by UI, and TARGET... built in it; sets
# build and bin.
release_build() {
  build=${BUILD_DIR:-$1}
  local ui=$2
  shift 2
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DXG_BUILD_BENCH=ON -DXG_BUILD_TESTS=ON \
      -DXG_BUILD_UI="$ui" >/dev/null
  fi
  cmake --build "$build" -j2 --target "$@" >/dev/null
  bin=$build/bin
}

declare -A wall cpu
# timed NAME COMMAND...: runs COMMAND once (its output in $work/out, its errors in $work/err, its
# exit status in $timed_status) and keeps the time when it is NAME's shortest.
timed() {
  local name=$1 elapsed user system w c
  shift
  local TIMEFORMAT='%3R %3U %3S'
  timed_status=0
  { time "$@" >"$work/out" 2>"$work/err"; } 2>"$work/time" || timed_status=$?
  read -r elapsed user system <"$work/time"
  w=$(awk -v e="$elapsed" 'BEGIN { printf "%d", e * 1000 + 0.5 }')
  c=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 + 0.5 }')
  if [ -z "${wall[$name]:-}" ] || [ "$w" -lt "${wall[$name]}" ]; then wall[$name]=$w; fi
  if [ -z "${cpu[$name]:-}" ] || [ "$c" -lt "${cpu[$name]}" ]; then cpu[$name]=$c; fi
}
