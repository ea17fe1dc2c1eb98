#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game client, online at once:
#   bash scripts/run-client.sh [--as NAME [--port N]] [client arguments...]
# When no site answers at MORVATEL_SITE_URL (or, unset, at the address a stand-in site this
# script started is known at, then at the client's default address), the stand-in site is
# started on a free local port for as long as the client runs.
# --as NAME runs a client for the nickname NAME from a folder of its own
# (~/.local/share/morvatel/NAME, or under MORVATEL_CLIENTS_HOME) with a runtime folder of its
# own, its nickname and a "Server port" of its own written into its param.ini, so that
# several people can play on one machine. --port N gives that port (default: the first free
# one from 2321, kept for the next runs).
# MORVATEL_OUT names a built program folder to run as it is (nothing installed or built).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

usage() { sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; }
name=""
port=""
while [ $# -gt 0 ]; do
  case "$1" in
    --as) [ $# -ge 2 ] || { usage >&2; exit 2; }; name=$2; shift 2 ;;
    --port) [ $# -ge 2 ] || { usage >&2; exit 2; }; port=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) break ;;
  esac
done
if [ -n "$port" ] && ! { [[ $port =~ ^[0-9]+$ ]] && [ "$port" -ge 1 ] && [ "$port" -le 65535 ]; }; then
  echo "run-client: --port takes a port number from 1 to 65535, not '$port'" >&2
  exit 2
fi
if [ -n "$port" ] && [ -z "$name" ]; then
  echo "run-client: --port goes with --as NAME (the main client's port is in its Preferences)" >&2
  exit 2
fi

bad_name='[]/\*&;"[:cntrl:]]|^[[:space:]]|[[:space:]]$|^\.\.?$'
if [ -n "$name" ] && [[ $name =~ $bad_name ]]; then
  echo "run-client: '$name' cannot be a nickname here (no / \\ * & ; ] \" or control characters, no blank at either end)" >&2
  exit 2
fi

if [ -n "${MORVATEL_OUT:-}" ]; then
  out=$MORVATEL_OUT
else
  bash "$root/scripts/install-deps.sh"
  bash "$root/scripts/build.sh" release
  out=$root/build/out
fi
if [ ! -x "$out/morvatel" ]; then
  echo "run-client: no client program at $out/morvatel" >&2
  exit 1
fi

# --- The site --------------------------------------------------------------------------
state=${XDG_RUNTIME_DIR:-${TMPDIR:-/tmp}}
note="$state/morvatel-site-$(id -u).url"   # the address of a stand-in site started here

answers() {  # true when a site gives its banner page at the address $1
  python3 - "$1" <<'PY' 2>/dev/null
import sys, urllib.request
try:
    with urllib.request.urlopen(sys.argv[1] + "pub/index.php", timeout=2) as reply:
        sys.exit(0 if reply.status == 200 else 1)
except Exception:
    sys.exit(1)
PY
}
with_slash() { case "$1" in */) echo "$1" ;; *) echo "$1/" ;; esac; }

if [ -n "${MORVATEL_SITE_URL:-}" ]; then
  url=$(with_slash "$MORVATEL_SITE_URL")
else
  url=http://127.0.0.1:8080/   # the client's built-in default
  if [ -s "$note" ] && answers "$(cat "$note")"; then url=$(cat "$note"); fi
fi

site_pid=""
site_dir=""
stop_site() {
  if [ -n "$site_pid" ]; then
    kill "$site_pid" 2>/dev/null || true
    wait "$site_pid" 2>/dev/null || true
    site_pid=""
    if [ -f "$note" ] && [ "$(cat "$note")" = "$url" ]; then rm -f "$note"; fi
  fi
}
trap stop_site EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

if ! answers "$url"; then
  missed=$url
  site_dir=$(mktemp -d "${TMPDIR:-/tmp}/morvatel-site-XXXXXX")
  bash "$root/scripts/run-site.sh" 0 >"$site_dir/address" 2>"$site_dir/site.log" &
  site_pid=$!
  url=""
  for _ in $(seq 100); do
    line=$(head -n 1 "$site_dir/address" 2>/dev/null || true)
    if [[ $line == MORVATEL_SITE_URL=* ]]; then url=${line#MORVATEL_SITE_URL=}; break; fi
    kill -0 "$site_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$url" ]; then
    echo "run-client: the stand-in site did not start:" >&2
    cat "$site_dir/site.log" >&2
    exit 1
  fi
  echo "$url" >"$note"
  echo "run-client: no site answered at $missed; the stand-in site runs at $url until this client ends (log: $site_dir/site.log)"
fi
export MORVATEL_SITE_URL=$url

# --- A client of its own for --as NAME -------------------------------------------------
if [ -n "$name" ]; then
  homes=${MORVATEL_CLIENTS_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/morvatel}
  folder="$homes/$name"
  mkdir -p "$folder"
  # The program is refreshed on every run; data the copy changed itself is kept.
  for entry in "$out"/*; do
    base=$(basename "$entry")
    case "$base" in
      param.ini|datas.sta) ;;
      morvatel|libmorvatel_web.so) cp -f "$entry" "$folder/" ;;
      *) cp -rn "$entry" "$folder/" ;;
    esac
  done
  python3 - "$folder" "$homes" "$name" "$port" <<'PY'
import os, socket, sys
folder, homes, name, wanted = sys.argv[1:5]
try:
    name.encode("latin-1")
except UnicodeEncodeError:
    sys.exit("run-client: the nickname '%s' holds letters that the game cannot store" % name)
section = "[Network Options]"

def read(path):
    try:
        with open(path, "rb") as f:
            return f.read().decode("latin-1").splitlines()
    except OSError:
        return []

def value(lines, key):
    inside = False
    for line in lines:
        if line.startswith("["):
            inside = line.strip() == section
        elif inside and line.split("=", 1)[0] == key:
            return line.split("=", 1)[1] if "=" in line else ""
    return None

def free(port, taken):
    if port in taken:
        return False
    with socket.socket() as s:
        try:
            s.bind(("0.0.0.0", port))
        except OSError:
            return False
    return True

ini = os.path.join(folder, "param.ini")
lines = read(ini)
port = wanted or value(lines, "Server port")
if not port or port == "2320":  # none yet, or the main client's default
    taken = set()
    for other in os.listdir(homes):
        if other != name:
            p = value(read(os.path.join(homes, other, "param.ini")), "Server port")
            if p and p.isdigit():
                taken.add(int(p))
    port = str(next(p for p in range(2321, 65536) if free(p, taken)))

settings = {"Surname": name, "Server port": port}
result, inside, done = [], False, False
for line in lines:
    if line.startswith("["):
        if inside and not done:
            result += [k + "=" + v for k, v in settings.items()]
            done = True
        inside = line.strip() == section
    elif inside and line.split("=", 1)[0] in settings:
        if not done:
            result += [k + "=" + v for k, v in settings.items()]
            done = True
        continue
    result.append(line)
if not done:
    if not inside:
        result.append(section)
    result += [k + "=" + v for k, v in settings.items()]
with open(ini + ".tmp", "wb") as f:
    f.write(("\r\n".join(result) + "\r\n").encode("latin-1"))
os.replace(ini + ".tmp", ini)
print("run-client: %s plays from %s, Server port %s" % (name, folder, port))
PY
  runtime="${TMPDIR:-/tmp}/morvatel-run-$(id -u)-$name"
  mkdir -p -m 700 "$runtime"
  if [ ! -O "$runtime" ]; then
    echo "run-client: $runtime belongs to another user" >&2
    exit 1
  fi
  export XDG_RUNTIME_DIR=$runtime
  program="$folder/morvatel"
else
  program="$out/morvatel"
fi

# In the foreground, so that the site is stopped when the client ends, however it ends.
set +e
"$program" "$@"
rc=$?
set -e
exit "$rc"
