#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game client from its build folder.
# Until the client window exists, this runs the engine's benchmark: whole computer games.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh release
if [ -x build/out/morvatel ]; then
  exec build/out/morvatel "$@"
fi
echo "The client window is not built yet; playing computer games without a window instead:"
exec build/bench/bench_game
