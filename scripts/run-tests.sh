#!/usr/bin/env bash
# Installs what is missing, builds the Release and the sanitizer builds and runs every test
# in both. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc 2>/dev/null || echo 4)

echo "== Release build"
bash scripts/build.sh release
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

echo "== Sanitizer build"
bash scripts/build.sh sanitize
ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600
