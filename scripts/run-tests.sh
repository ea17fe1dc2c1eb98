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

echo "== Each test binary whole, so that no test depends on running alone"
for t in build/tests/test_*; do
  [ -x "$t" ] || continue
  # A binary of one test already ran alone under ctest.
  [ "$("$t" --gtest_list_tests | grep -c '^  ')" -gt 1 ] || continue
  timeout 600 "$t" --gtest_brief=1 > "build/$(basename "$t").whole.log" 2>&1 || {
    echo "FAILED: $t run whole"; tail -40 "build/$(basename "$t").whole.log"; exit 1; }
done

echo "== Sanitizer build"
bash scripts/build.sh sanitize
ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600
