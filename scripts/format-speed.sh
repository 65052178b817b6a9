#!/usr/bin/env bash
# Whole-process speed of the translation tool formats on the full-capacity quest, each command
# beside the one its goal is measured against, in one run:
#   export-po, export-xliff vs export-messages; import-po vs msgfmt -c; import-xliff vs import-messages.
# Prints the best of ROUNDS (default 5) wall-clock times and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
build=${BUILD_DIR:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DXG_BUILD_BENCH=ON -DXG_BUILD_UI=OFF >/dev/null
cmake --build "$build" -j2 --target xgtool make_full_project >/dev/null
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_full_project" data/msg_cfg.txt "$work/full.txg" >/dev/null
xg() { "$bin/xgtool" --catalogue data/msg_cfg.txt "$@" >/dev/null; }
xg export-messages "$work/full.txg" "$work/full.txt"
xg export-po --language en "$work/full.txg" "$work/full.po"
xg export-xliff --language en "$work/full.txg" "$work/full.xlf"
cp "$work/full.txg" "$work/keep.txg"

# best NAME COMMAND...: the shortest of $rounds runs, in milliseconds. Imports start from the same
# project each round.
best() {
  local name=$1 fastest=
  shift
  for _ in $(seq "$rounds"); do
    cp "$work/keep.txg" "$work/full.txg"
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    local ms=$(( (end - start) / 1000000 ))
    if [ -z "$fastest" ] || [ "$ms" -lt "$fastest" ]; then fastest=$ms; fi
  done
  eval "$name=$fastest"
  printf '%-16s %6d ms\n' "$name" "$fastest"
}
x="$bin/xgtool --catalogue data/msg_cfg.txt"
best export_messages $x export-messages "$work/full.txg" "$work/out.txt"
best export_po $x export-po --language en "$work/full.txg" "$work/out.po"
best export_xliff $x export-xliff --language en "$work/full.txg" "$work/out.xlf"
best msgfmt_c msgfmt -c -o /dev/null "$work/full.po"
best import_po $x import-po "$work/full.txg" "$work/full.po"
best import_messages $x import-messages "$work/full.txg" "$work/full.txt"
best import_xliff $x import-xliff "$work/full.txg" "$work/full.xlf"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "export-po / export-messages:    $(ratio "$export_po" "$export_messages")  (goal 2)"
echo "import-po / msgfmt -c:          $(ratio "$import_po" "$msgfmt_c")  (goal 1.2)"
echo "export-xliff / export-messages: $(ratio "$export_xliff" "$export_messages")  (goal 2)"
echo "import-xliff / import-messages: $(ratio "$import_xliff" "$import_messages")  (goal 2)"
