#!/usr/bin/env bash
# Starts the translator's window under a virtual X display with FILE (default: the sample quest),
# waits until the window is shown and saves a picture of it to OUT.png.
# Usage: scripts/screenshot.sh OUT.png [FILE]
# Needs Xvfb, xwininfo (x11-utils) and import (imagemagick). BUILD_DIR picks the build to use.
# IMPORT=FILE: once the window is shown, File > Import from Translation Tools reads FILE, worked
# through the keyboard as a user would (scripts/xkeys.py). CAPTURE=TITLE: the picture is of the
# window with that title instead (the report box is "Errors:").
# GLOSSARY=FILE.tbx: FILE is added to the project's glossaries and message SHOW (default 1) shown,
# through the window's automation input (ui/Automation.h), so the Terms panel lists its terms; TYPE
# is typed as its translation when given. KEYS="KEY ...": once the window is shown, these keys are
# pressed as scripts/xkeys.py takes them (text:WORDS types, sleep:S waits).
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 OUT.png [FILE]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
file=$(realpath -m "${2:-$root/data/sample.xg}")
for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (packages xvfb, x11-utils, imagemagick)" >&2; exit 1; }
done

program=""
for candidate in "${BUILD_DIR:-}" build-release build-ui build-test build; do
  if [ -n "$candidate" ]; then
    case "$candidate" in /*) ;; *) candidate="$root/$candidate" ;; esac
    if [ -x "$candidate/bin/xgtranslator" ]; then program="$candidate/bin/xgtranslator"; break; fi
  fi
done
if [ -z "$program" ]; then
  echo "$0: no built xgtranslator; run ./run.sh or build the xgtranslator target first" >&2
  exit 1
fi

# A free display number: the first without a lock file.
display=99
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 "${SCREEN_SIZE:-1280x900}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "${settings:-}" ] && rm -rf "$settings"
  true
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# The catalogue is found beside the program, so the working folder does not matter. Settings of
# their own, so the picture never depends on a size or font remembered from an earlier run.
export QT_QPA_PLATFORM=xcb
settings=$(mktemp -d)
export XDG_CONFIG_HOME="$settings"
# And a data folder of its own: a journal of unsaved changes left by an earlier picture (typed with
# TYPE) would be offered on start, and this one is left behind in no one's way.
export XDG_DATA_HOME="$settings"
# OPEN=FILE: FILE opened once the window is shown (a quest of the folder given, for instance).
if [ -n "${OPEN:-}" ]; then
  printf 'open %s\n' "$(realpath -m "$OPEN")" >"$settings/automation.txt"
  EXTRA_ARGS="${EXTRA_ARGS:-} --automation $settings/automation.txt"
fi
if [ -n "${GLOSSARY:-}" ]; then
  printf 'glossary %s\nshow %s\n' "$(realpath -m "$GLOSSARY")" "${SHOW:-1}" >"$settings/automation.txt"
  [ -n "${TYPE:-}" ] && printf 'type %s\n' "$TYPE" >>"$settings/automation.txt"
  EXTRA_ARGS="${EXTRA_ARGS:-} --automation $settings/automation.txt"
fi
# EXTRA_ARGS: more arguments for the program (Qt's -geometry WxH, for instance).
"$program" ${EXTRA_ARGS:-} "$file" &
app_pid=$!

# wait_for_window TEXT: the id of the first viewable window whose line in the window tree holds
# TEXT, or nothing after ten seconds or once the program has ended.
wait_for_window() {
  local id
  for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || return 0
    id=$(xwininfo -root -tree 2>/dev/null | awk -v text="$1" 'index($0, text) {print $1; exit}')
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable"; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
}

window=$(wait_for_window "Quest Translator")
if [ -z "$window" ]; then
  if ! kill -0 "$app_pid" 2>/dev/null; then
    echo "$0: the program ended before its window was shown" >&2
  else
    echo "$0: the window did not appear" >&2
  fi
  exit 1
fi
sleep 1  # let the first paint finish

if [ -n "${IMPORT:-}" ]; then
  "$root/scripts/xkeys.py" "focus:$window" alt+f sleep:0.5 i sleep:1.5 "text:$(realpath -m "$IMPORT")" sleep:0.3 Return
fi
if [ -n "${KEYS:-}" ]; then
  # shellcheck disable=SC2086  # the keys are words on purpose
  "$root/scripts/xkeys.py" "focus:$window" $KEYS
  sleep 1
fi
if [ -n "${CAPTURE:-}" ]; then
  window=$(wait_for_window "\"$CAPTURE\":")
  if [ -z "$window" ]; then
    echo "$0: no window \"$CAPTURE\" appeared" >&2
    exit 1
  fi
  sleep 1
fi
import -window "$window" "$out"
echo "$out"
