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
  exec "$BUILD_DIR/bin/xgtranslator" "$@"
fi
exec "$BUILD_DIR/bin/xgtool" catalogue "$BUILD_DIR/bin/msg_cfg.txt"
