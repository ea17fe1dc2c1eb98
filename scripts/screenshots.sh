#!/usr/bin/env bash
# Plays a seeded local game in a real window under Xvfb and saves pictures of the start, a
# game in progress, a picked tile with its drop boxes, a long chain, a round result, the table
# shrunk to two sizes, and the statistics and about windows in English and French.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER] [WIDTH HEIGHT]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
shift || true
bash scripts/install-deps.sh
bash scripts/build.sh release
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 2000x1200x24" build/tests/morvatel_screenshots "$out" "$@"
