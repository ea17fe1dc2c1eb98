#!/usr/bin/env bash
# Starts the stand-in web site on this machine: bash scripts/run-site.sh [port] [options]
# Its first line is MORVATEL_SITE_URL=...: give that variable to morvatel and mvtserver.
# Options go to the site as they stand (see: python3 site/morvatel_site.py --help), for
# example --host 0.0.0.0 to let the machines of a local network in.
set -euo pipefail
cd "$(dirname "$0")/.."
port=8080
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  port=$1
  shift
fi
for tool in python3 zip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    bash scripts/install-deps.sh
    break
  fi
done
exec python3 site/morvatel_site.py --port "$port" "$@"
