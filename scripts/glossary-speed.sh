#!/usr/bin/env bash
# Whole-process time of `xgtool check --glossary` on the full-capacity project of make_full_project
# (every second position translated) with a glossary of 20,000 made-up terms (make_glossary), beside
# `xgtool check` without it. The goal: at most 3 s, reading the glossary and building the matcher
# included. Prints the best of ROUNDS (default 9) wall-clock and processor (user + system) times.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
terms=${TERMS:-20000}
source scripts/best-time.sh
release_build build-bench OFF xgtool make_full_project make_glossary
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_full_project" data/msg_cfg.txt "$work/full.txg" >/dev/null
"$bin/make_glossary" "$terms" "$work/terms.tbx" >/dev/null

# run NAME ARGS...: one `xgtool check` run. Exit code 1 (findings) is what a translated project gives.
run() {
  local name=$1
  shift
  timed "$name" "$bin/xgtool" --catalogue data/msg_cfg.txt check "$@" "$work/full.txg"
  if [ "$timed_status" -gt 1 ]; then
    echo "xgtool check $* failed with $timed_status" >&2
    exit 1
  fi
}
for _ in $(seq "$rounds"); do
  run plain
  run glossary --glossary "$work/terms.tbx"
done
printf 'check               %5d ms wall %5d ms processor\n' "${wall[plain]}" "${cpu[plain]}"
printf 'check --glossary    %5d ms wall %5d ms processor  (goal 3000 ms; %d terms)\n' "${wall[glossary]}" \
  "${cpu[glossary]}" "$terms"
echo "terms findings: $(grep -c $'\tterms\t' "$work/out")"
