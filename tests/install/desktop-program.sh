#!/usr/bin/env bash
# xgtranslator answers --help and --version without a display, and without one it says what to
# do instead of letting Qt abort. Arguments: the xgtranslator binary, the expected version.
set -uo pipefail
program=$1 version=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

# args | exit code | stdout is exactly (empty: not checked)
while IFS='|' read -r args code out; do
  # shellcheck disable=SC2086
  "${headless[@]}" "$program" $args >"$scratch/out" 2>"$scratch/err"
  status=$?
  [ "$status" -eq "$code" ] || fail "xgtranslator $args: exit $status, expected $code"
  [ -z "$out" ] || [ "$(cat "$scratch/out")" = "$out" ] || fail "xgtranslator $args printed: $(cat "$scratch/out")"
done <<CASES
--version|0|xgtranslator $version
--help|0|
-h|0|
|1|
data/sample.xg|1|
CASES

"${headless[@]}" "$program" --help >"$scratch/out" 2>&1
grep -q '^usage: xgtranslator \[FILE\]' "$scratch/out" || fail "--help shows no usage"

"${headless[@]}" "$program" >"$scratch/out" 2>"$scratch/err"
[ ! -s "$scratch/out" ] || fail "the advice went to stdout"
for advice in 'no display' 'desktop session' 'xvfb-run -a xgtranslator' 'QT_QPA_PLATFORM=vnc xgtranslator' 'VNC viewer'; do
  grep -q -- "$advice" "$scratch/err" || fail "the advice does not mention '$advice'"
done
exit $((failures > 0))
