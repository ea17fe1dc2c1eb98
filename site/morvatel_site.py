#!/usr/bin/env python3
"""The stand-in web site of Morvatel Dominoes 3D (see --help)."""
import argparse
import os
import re
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import traceback
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import accounts as accounts_module  # noqa: E402
import content  # noqa: E402
import helptext  # noqa: E402
from lobby import Lobby  # noqa: E402
from pages import Pages  # noqa: E402

CONTENT_TYPES = {".zip": "application/zip", ".jpg": "image/jpeg", ".jpeg": "image/jpeg",
                 ".html": "text/html; charset=utf-8", ".txt": "text/plain"}
SECRET = re.compile(r"((?:wpassword|pw|pass)=)[^&\s\"]*")


def first_values(query, encoding):
    values = {}
    for key, value in urllib.parse.parse_qsl(query, keep_blank_values=True,
                                             encoding=encoding, errors="replace"):
        values.setdefault(key, value)
    return values


def page_values(query):
    """The site speaks Latin-1 only: every escape is one byte, so a UTF-8 "%C3%A9" is the
    two characters it names, as a real site of the programs would read it."""
    return first_values(query, "latin-1")


def files_path(root, tail):
    """The file under root that the tail of a files/ address names, or None when the name
    is refused or leads out of root."""
    try:
        name = urllib.parse.unquote(tail, encoding="latin-1", errors="strict")
    except UnicodeDecodeError:
        return None
    parts = name.split("/")
    if any(p in ("", ".", "..") or "\\" in p or "\x00" in p for p in parts):
        return None
    real_root = os.path.realpath(root)
    real = os.path.realpath(os.path.join(real_root, *parts))
    if not real.startswith(real_root + os.sep):
        return None
    return real


class Handler(BaseHTTPRequestHandler):
    server_version = "MorvatelSite/1.0"
    timeout = 15  # a client that sends nothing does not hold its thread for ever

    def do_GET(self):
        self.answer(with_body=True)

    def do_HEAD(self):
        self.answer(with_body=False)

    def answer(self, with_body):
        self.with_body = with_body
        try:
            self.route()
        except (BrokenPipeError, ConnectionResetError):
            pass
        except Exception:  # never let one request take the site down
            traceback.print_exc(file=sys.stderr)
            try:
                self.send_text(500, "*rj:er", "text/plain")
            except Exception:
                pass

    def route(self):
        raw = self.path
        if not raw.startswith("/"):  # the absolute form a proxy may pass on
            split = urllib.parse.urlsplit(raw)
            raw = split.path + ("?" + split.query if split.query else "")
        path, _, query = raw.partition("?")
        path = "/" + path.lstrip("/")  # a base address ending in "/" + "/us/..." gives "//us/..."
        site = self.server.site
        if path == "/all/page0.php":
            if not self.with_body:  # a request that changes the lobby needs its answer read
                return self.send_text(405, "GET only", "text/plain")
            seen = self.client_address[0]
            if seen.startswith("::ffff:"):
                seen = seen[7:]
            reply = site.lobby.handle(first_values(query, "latin-1"), seen)
            return self.send_text(200, reply, "text/plain; charset=iso-8859-1", "latin-1")
        if path.startswith("/files/"):
            return self.send_file(site.files_dir, path[len("/files/"):])
        if path == "/pub/index.php":
            return self.send_page(site.pages.banner(page_values(query)))
        if path == "/red/index.php":
            return self.send_page(site.pages.red(page_values(query)))
        if path in ("/results", "/results/", "/results/index.php"):
            return self.send_page(site.pages.results())
        if path in ("/us/community/players", "/us/community/players/"):
            return self.send_page(site.pages.community())
        if path in ("/", "/index.html", "/index.php"):
            return self.send_page(site.pages.help())
        return self.send_text(404, "Not found", "text/plain")

    def send_text(self, status, text, content_type, encoding="latin-1"):
        # A character Latin-1 cannot hold (a file name, say) goes as a character reference.
        body = text.encode(encoding, errors="xmlcharrefreplace")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.with_body:
            self.wfile.write(body)

    def send_page(self, status_and_page):
        status, page = status_and_page
        self.send_text(status, page, "text/html; charset=iso-8859-1")

    def send_file(self, root, tail):
        path = files_path(root, tail)
        if path is None:
            return self.send_text(403, "Forbidden", "text/plain")
        # Regular files only: opening a pipe or a device could hang or never end.
        if not os.path.isfile(path):
            return self.send_text(404, "Not found", "text/plain")
        try:
            handle = open(path, "rb")
        except OSError:
            return self.send_text(404, "Not found", "text/plain")
        with handle:
            status = os.fstat(handle.fileno())
            if not stat.S_ISREG(status.st_mode):
                return self.send_text(404, "Not found", "text/plain")
            size = status.st_size
            self.send_response(200)
            kind = CONTENT_TYPES.get(os.path.splitext(path)[1].lower(),
                                     "application/octet-stream")
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(size))
            self.end_headers()
            if self.with_body:
                shutil.copyfileobj(handle, self.wfile, size if size < 1 << 20 else 1 << 20)

    def log_message(self, format, *args):
        line = "%s - [%s] %s" % (self.address_string(), self.log_date_time_string(),
                                 format % args)
        sys.stderr.write(SECRET.sub(r"\1***", line)[:2000] + "\n")
        sys.stderr.flush()


class Site:
    def __init__(self, lobby, pages, files_dir):
        self.lobby, self.pages, self.files_dir = lobby, pages, files_dir


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64
    max_connections = 64  # connections served at once; more are closed at once

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self._slots = threading.BoundedSemaphore(self.max_connections)

    def process_request(self, request, client_address):
        if not self._slots.acquire(blocking=False):
            self.shutdown_request(request)
            return
        try:
            super().process_request(request, client_address)
        except Exception:
            self._slots.release()
            raise

    def process_request_thread(self, request, client_address):
        try:
            super().process_request_thread(request, client_address)
        finally:
            self._slots.release()


def lan_address():
    """A non-loopback address of this machine, read from `hostname -I` (no traffic)."""
    try:
        words = subprocess.run(["hostname", "-I"], capture_output=True, text=True,
                               timeout=5).stdout.split()
    except (OSError, subprocess.SubprocessError):
        words = []
    for word in words:
        if ":" not in word and not word.startswith("127."):
            return word
    return "127.0.0.1"


def parse_args(argv):
    parser = argparse.ArgumentParser(
        prog="morvatel_site.py", usage=helptext.USAGE_LINE, description=helptext.DESCRIPTION,
        epilog=helptext.DETAILS, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--port", type=int, required=True, help="port to listen on (0: any)")
    parser.add_argument("--host", default="127.0.0.1",
                        help="address to listen on (0.0.0.0 for a LAN; default 127.0.0.1)")
    parser.add_argument("--files", metavar="DIR",
                        help="serve files/ from DIR instead of the downloads made at start")
    parser.add_argument("--accounts", metavar="FILE",
                        help="the only accepted accounts, nickname=password a line")
    parser.add_argument("--banner-version", default="3.0.3", metavar="V",
                        help='version after "MORVATEL " in the banner title (default 3.0.3)')
    parser.add_argument("--refuse", choices=("tm", "ar"),
                        help="refuse every log-in with *rj:tm or *rj:ar")
    parser.add_argument("--presence-timeout", type=float, default=60.0, metavar="SECONDS",
                        help="a user silent this long leaves the list (default 60)")
    args = parser.parse_args(argv)
    if not 0 <= args.port < 65536:
        parser.error("--port must be 0 to 65535")
    if args.presence_timeout <= 0:
        parser.error("--presence-timeout must be positive")
    if not re.fullmatch(r"[ -~]{1,20}", args.banner_version):
        parser.error("--banner-version must be 1 to 20 printable characters")
    if args.files and not os.path.isdir(args.files):
        parser.error("--files: %s is not a folder" % args.files)
    return args


def stop(signum, frame):
    raise KeyboardInterrupt


def main(argv=None):
    args = parse_args(argv)
    signal.signal(signal.SIGTERM, stop)
    fixed = None
    if args.accounts:
        try:
            fixed = accounts_module.read_accounts_file(args.accounts)
        except (OSError, ValueError) as error:
            print("morvatel_site: --accounts: %s" % error, file=sys.stderr)
            return 2
    made = None if args.files else tempfile.mkdtemp(prefix="morvatel-site-")
    try:
        files_dir = args.files or os.path.join(made, "files")
        if made:
            content.make_files(files_dir)
        lobby = Lobby(accounts_module.Accounts(fixed), refuse=args.refuse,
                      presence_timeout=args.presence_timeout)
        try:
            server = Server((args.host, args.port), Handler)
        except OSError as error:
            print("morvatel_site: cannot listen on %s port %d: %s"
                  % (args.host, args.port, error.strerror or error), file=sys.stderr)
            return 2
        server.site = Site(lobby, Pages(lobby, files_dir, args.banner_version), files_dir)
        host = args.host
        if host in ("", "0.0.0.0", "::"):
            host = lan_address()
        if ":" in host:
            host = "[%s]" % host
        print("MORVATEL_SITE_URL=http://%s:%d/" % (host, server.server_address[1]), flush=True)
        try:
            server.serve_forever(poll_interval=0.2)
        except KeyboardInterrupt:
            pass
        finally:
            server.server_close()
    finally:
        if made:
            shutil.rmtree(made, ignore_errors=True)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(0)
