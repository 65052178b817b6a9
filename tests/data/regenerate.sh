#!/usr/bin/env bash
# The shipped data is what its sources make: data/msg_cfg.txt from scripts/catalogue_source.txt
# and data/sample.xg from tools/make_sample_quest, byte for byte.
# Arguments: the source tree, the make_sample_quest binary.
set -uo pipefail
source=$1 makeSample=$2
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
failures=0
python3 "$source/scripts/make-catalogue.py" "$scratch/msg_cfg.txt" || { echo "FAIL: make-catalogue.py" >&2; exit 1; }
"$makeSample" "$scratch/sample.xg" "$scratch/msg_cfg.txt" || { echo "FAIL: make_sample_quest" >&2; exit 1; }
for file in msg_cfg.txt sample.xg; do
  if ! cmp "$scratch/$file" "$source/data/$file"; then
    echo "FAIL: data/$file differs from what its source makes now; regenerate it and commit both" >&2
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
