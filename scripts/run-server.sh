#!/usr/bin/env bash
# Starts the dedicated server against a site, from a folder of its own:
#   bash scripts/run-server.sh NICKNAME PASSWORD [GAME_PORT] [SITE_URL]
# GAME_PORT defaults to 2040 (a port of 1024 or more: a normal user cannot listen below);
# SITE_URL to $MORVATEL_SITE_URL, else http://127.0.0.1:8080/ (bash scripts/run-site.sh).
# The folder is ~/.local/share/mvtserver: the program, its players and languages, and its
# param_ds.ini and datas_ds.sta. The account and port are written into param_ds.ini each
# time; everything else set in the options window stays.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
nick=$1 password=$2 port=${3:-2040}
site=${4:-${MORVATEL_SITE_URL:-http://127.0.0.1:8080/}}
bash scripts/install-deps.sh >/dev/null
[ -x build/out/mvtserver ] || bash scripts/build.sh release
home=${MVTSERVER_HOME:-$HOME/.local/share/mvtserver}
mkdir -p "$home"
cp build/out/mvtserver "$home/"
cp -r data/players data/univers "$home/"
python3 - "$home/param_ds.ini" "$nick" "$password" "$port" <<'PY'
import sys
path, nick, password, port = sys.argv[1:]
try:
    lines = open(path, 'rb').read().decode('latin-1').splitlines()
except OSError:
    lines = []
if len(lines) < 37:
    lines = ["[Game]", "", "1", "[Players]"] + ["standard player.vrk"] * 3 + [
        "[Theme]", "Standard Theme.thm", "[Language]", "mvtserver16_english.lng", "[Network]",
        "-Connexion", "1", "", "", "1", "0", "", "0", "110", "0", "", "0", "0", "", "",
        "[General]", "FALSE", "FALSE", "", "", "[Sound]", "", "", "", ""]
lines[14] = nick
lines[15] = "".join("%03d" % (ord(c) + 37) for c in password)
lines[20] = port
open(path, 'wb').write(("\r\n".join(lines[:37]) + "\r\n").encode('latin-1'))
PY
echo "mvtserver in $home, nickname $nick, game port $port, site $site"
cd "$home"
MORVATEL_SITE_URL=$site exec ./mvtserver
