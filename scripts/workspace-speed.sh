#!/usr/bin/env bash
# Whole-process time of `xgtool pretranslate` of one quest against the other 99 of the workspace
# of make_workspace (goal: at most 2 s), as a dry run so that every round does the same work, then
# one run that saves. Prints the best of ROUNDS (default 5) wall-clock and processor (user +
# system) times, the counts and the peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
source scripts/best-time.sh
release_build build-bench OFF xgtool make_workspace
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_workspace" "$work/game" data/msg_cfg.txt >/dev/null
open=$work/game/chapter0/quest000.txg

for _ in $(seq "$rounds"); do
  timed dry "$bin/xgtool" --catalogue data/msg_cfg.txt pretranslate --dry-run "$open" "$work/game"
done
printf 'pretranslate --dry-run  %5d ms wall %5d ms processor  (goal 2000 ms wall)\n' "${wall[dry]}" "${cpu[dry]}"
tr '\n' ' ' <"$work/out"
echo
TIMEFORMAT='%3R'
{ time /usr/bin/env "$bin/xgtool" --catalogue data/msg_cfg.txt pretranslate "$open" "$work/game" >/dev/null; } 2>"$work/time"
printf 'pretranslate (saving)   %5d ms wall\n' "$(awk -v e="$(cat "$work/time")" 'BEGIN { printf "%d", e * 1000 + 0.5 }')"
if command -v /usr/bin/time >/dev/null; then
  /usr/bin/time -f 'peak memory %M KB' "$bin/xgtool" --catalogue data/msg_cfg.txt pretranslate --dry-run "$open" \
    "$work/game" >/dev/null
fi
