#!/usr/bin/env bash
# Configures and builds one build folder: build/ (Release) or build-asan/ (sanitizers).
# Usage: scripts/build.sh [release|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
jobs=$(nproc 2>/dev/null || echo 4)
case "$kind" in
  release)  dir=build;      flags=(-DCMAKE_BUILD_TYPE=Release) ;;
  sanitize) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVATEL_SANITIZE=ON -DMORVATEL_BENCH=OFF) ;;
  *) echo "usage: $0 [release|sanitize]" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"
