#!/usr/bin/env bash
# Whole-process time of `xgtool check --glossary` on the full-capacity project of make_full_project
# (every second position translated) with a glossary of 20,000 made-up terms (make_glossary), beside
# `xgtool check` without it. The goal: at most 3 s, reading the glossary and building the matcher
# included. Prints the best of ROUNDS (default 9) wall-clock and processor (user + system) times.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
terms=${TERMS:-20000}
build=${BUILD_DIR:-build-bench}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DXG_BUILD_BENCH=ON -DXG_BUILD_UI=OFF >/dev/null
fi
cmake --build "$build" -j2 --target xgtool make_full_project make_glossary >/dev/null
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_full_project" data/msg_cfg.txt "$work/full.txg" >/dev/null
"$bin/make_glossary" "$terms" "$work/terms.tbx" >/dev/null

declare -A wall cpu
# run NAME ARGS...: one `xgtool check` run, keeping the shortest wall-clock and processor time of NAME
# in ms. Exit code 1 (findings) is what a translated project gives.
run() {
  local name=$1 elapsed user system status
  shift
  local TIMEFORMAT='%3R %3U %3S'
  status=0
  { time "$bin/xgtool" --catalogue data/msg_cfg.txt check "$@" "$work/full.txg" >"$work/out"; } 2>"$work/time" ||
    status=$?
  if [ "$status" -gt 1 ]; then
    echo "xgtool check $* failed with $status" >&2
    exit 1
  fi
  read -r elapsed user system <"$work/time"
  local w c
  w=$(awk -v e="$elapsed" 'BEGIN { printf "%d", e * 1000 + 0.5 }')
  c=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 + 0.5 }')
  if [ -z "${wall[$name]:-}" ] || [ "$w" -lt "${wall[$name]}" ]; then wall[$name]=$w; fi
  if [ -z "${cpu[$name]:-}" ] || [ "$c" -lt "${cpu[$name]}" ]; then cpu[$name]=$c; fi
}
for _ in $(seq "$rounds"); do
  run plain
  run glossary --glossary "$work/terms.tbx"
done
printf 'check               %5d ms wall %5d ms processor\n' "${wall[plain]}" "${cpu[plain]}"
printf 'check --glossary    %5d ms wall %5d ms processor  (goal 3000 ms; %d terms)\n' "${wall[glossary]}" \
  "${cpu[glossary]}" "$terms"
echo "terms findings: $(grep -c $'\tterms\t' "$work/out")"
