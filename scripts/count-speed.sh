#!/usr/bin/env bash
# Whole-process speed of `xgtool count` beside `xgtool stats` (the goal: at most 1.2 times) on
# the full-capacity project of make_full_project, the two run in turn in each round so that both
# meet the same load. Prints the best of ROUNDS (default 9) wall-clock and processor (user +
# system) times and their ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
source scripts/best-time.sh
release_build build-bench OFF xgtool make_full_project
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_full_project" data/msg_cfg.txt "$work/full.txg" >/dev/null

run() { timed "$1" "$bin/xgtool" --catalogue data/msg_cfg.txt "$1" "$work/full.txg"; }
for _ in $(seq "$rounds"); do
  run stats
  run count
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "n/a"; else printf "%.2f", a / b }'; }
printf 'stats  %5d ms wall %5d ms processor\n' "${wall[stats]}" "${cpu[stats]}"
printf 'count  %5d ms wall %5d ms processor\n' "${wall[count]}" "${cpu[count]}"
echo "count / stats: $(ratio "${wall[count]}" "${wall[stats]}") wall, $(ratio "${cpu[count]}" "${cpu[stats]}") processor  (goal 1.2)"
"$bin/xgtool" --catalogue data/msg_cfg.txt count "$work/full.txg"
