#!/usr/bin/env bash
# Whole-process speed of `xgtool count` beside `xgtool stats` (the goal: at most 1.2 times) on
# the full-capacity project of make_full_project, the two run in turn in each round so that both
# meet the same load. Prints the best of ROUNDS (default 9) wall-clock and processor (user +
# system) times and their ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
build=${BUILD_DIR:-build-bench}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DXG_BUILD_BENCH=ON -DXG_BUILD_UI=OFF >/dev/null
fi
cmake --build "$build" -j2 --target xgtool make_full_project >/dev/null
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_full_project" data/msg_cfg.txt "$work/full.txg" >/dev/null

declare -A wall cpu
# run NAME COMMAND: one run, keeping the shortest wall-clock and processor time of NAME in ms.
run() {
  local name=$1 elapsed user system
  local TIMEFORMAT='%3R %3U %3S'
  { time "$bin/xgtool" --catalogue data/msg_cfg.txt "$name" "$work/full.txg" >/dev/null; } 2>"$work/time"
  read -r elapsed user system <"$work/time"
  local w c
  w=$(awk -v e="$elapsed" 'BEGIN { printf "%d", e * 1000 + 0.5 }')
  c=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 + 0.5 }')
  if [ -z "${wall[$name]:-}" ] || [ "$w" -lt "${wall[$name]}" ]; then wall[$name]=$w; fi
  if [ -z "${cpu[$name]:-}" ] || [ "$c" -lt "${cpu[$name]}" ]; then cpu[$name]=$c; fi
}
for _ in $(seq "$rounds"); do
  run stats
  run count
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "n/a"; else printf "%.2f", a / b }'; }
printf 'stats  %5d ms wall %5d ms processor\n' "${wall[stats]}" "${cpu[stats]}"
printf 'count  %5d ms wall %5d ms processor\n' "${wall[count]}" "${cpu[count]}"
echo "count / stats: $(ratio "${wall[count]}" "${wall[stats]}") wall, $(ratio "${cpu[count]}" "${cpu[stats]}") processor  (goal 1.2)"
"$bin/xgtool" --catalogue data/msg_cfg.txt count "$work/full.txg"
