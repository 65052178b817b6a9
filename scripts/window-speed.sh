#!/usr/bin/env bash
# Whole-process times of the window (Release, offscreen) started and closed at once, without and
# with the workspace of make_workspace (100 quests of 2,001 positions): the difference is opening
# the folder with its panel filled and the memory of its quests made (goal: at most 1.5 s). Then
# four quests of it opened in turn, each making the memory of the other 99 again. Then the window's
# peak memory with that workspace open, and after the four quests (goal: at most 400 MB). Prints
# the best of ROUNDS (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
source scripts/best-time.sh
release_build build-window ON xgtranslator make_workspace
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_workspace" "$work/game" data/msg_cfg.txt >/dev/null
echo quit >"$work/quit"
for quest in chapter0/quest000 chapter1/quest030 chapter2/quest060 chapter3/quest090; do
  echo "open $work/game/$quest.txg"
done >"$work/quests"
echo quit >>"$work/quests"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state

for _ in $(seq "$rounds"); do
  timed empty "$bin/xgtranslator" --automation "$work/quit"
  timed folder "$bin/xgtranslator" --automation "$work/quit" "$work/game"
  timed quests "$bin/xgtranslator" --automation "$work/quests" "$work/game"
done
printf 'window start and close          %5d ms wall\n' "${wall[empty]}"
printf 'the same with the workspace     %5d ms wall\n' "${wall[folder]}"
printf 'opening the folder              %5d ms wall  (goal 1500 ms)\n' "$((wall[folder] - wall[empty]))"
printf 'opening a quest of it           %5d ms wall  (mean of four)\n' "$(((wall[quests] - wall[folder]) / 4))"
if command -v /usr/bin/time >/dev/null; then
  /usr/bin/time -f 'peak memory with the workspace %M KB  (goal 400 MB)' "$bin/xgtranslator" --automation \
    "$work/quit" "$work/game" >/dev/null
  /usr/bin/time -f 'peak memory after four quests  %M KB  (goal 400 MB)' "$bin/xgtranslator" --automation \
    "$work/quests" "$work/game" >/dev/null
fi
