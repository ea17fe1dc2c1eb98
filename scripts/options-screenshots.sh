#!/usr/bin/env bash
# Saves pictures of every page of the options window, of the theme editor and of the player
# list, in English and in French, in a real window under Xvfb.
# Usage: scripts/options-screenshots.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/options-screenshots}
bash scripts/install-deps.sh
bash scripts/build.sh release
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1600x1200x24" build/tests/options_screenshots "$out"
