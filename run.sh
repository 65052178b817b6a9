#!/usr/bin/env bash
# Installs what is missing, builds the optimised program into build-release and starts it.
# Arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build-release}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DXG_BUILD_TESTS=OFF
cmake --build "$BUILD_DIR" -j "$(nproc)"
if [ -x "$BUILD_DIR/bin/xgtranslator" ]; then
  if [ $# -eq 0 ]; then set -- "$PWD/data/sample.xg"; fi
  # Without a display Qt aborts; say what works instead.
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<ADVICE
run.sh: there is no display to show the window on (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM
are all unset). Start it in one of these ways:
  - from a desktop session (X11 or Wayland);
  - under a virtual X server:  xvfb-run -a ./run.sh [FILE]
  - as a VNC server:  QT_QPA_PLATFORM=vnc ./run.sh [FILE]
    then connect a VNC viewer to port 5900 of this machine.
The command-line tool works without a display:  $BUILD_DIR/bin/xgtool --help
ADVICE
    exit 1
  fi
  exec "$BUILD_DIR/bin/xgtranslator" "$@"
fi
exec "$BUILD_DIR/bin/xgtool" catalogue "$BUILD_DIR/bin/msg_cfg.txt"
