"""Starts the stand-in site as a process on a free loopback port and talks to it."""
import http.client
import os
import subprocess
import sys
import tempfile
import urllib.parse

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SITE = os.path.join(ROOT, "site")
if SITE not in sys.path:
    sys.path.insert(0, SITE)


class SiteProcess:
    def __init__(self, *args):
        # The request log goes to a file: a pipe nobody reads would fill and stall the site.
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            [sys.executable, os.path.join(SITE, "morvatel_site.py"), "--port", "0", *args],
            stdout=subprocess.PIPE, stderr=self.log, text=True)
        line = self.process.stdout.readline().strip()
        if not line.startswith("MORVATEL_SITE_URL="):
            self.stop()
            raise RuntimeError("the site did not start: %r %s" % (line, self.log_text()))
        self.url = line[len("MORVATEL_SITE_URL="):]
        parts = urllib.parse.urlsplit(self.url)
        self.host, self.port = parts.hostname, parts.port

    def get(self, path, method="GET"):
        """(status, headers, body bytes) for a raw request path, sent as it stands."""
        connection = http.client.HTTPConnection(self.host, self.port, timeout=10)
        try:
            connection.putrequest(method, path, skip_accept_encoding=True)
            connection.endheaders()
            response = connection.getresponse()
            return response.status, dict(response.getheaders()), response.read()
        finally:
            connection.close()

    def lobby(self, **values):
        """The lobby's reply text; values go into the query in the order given."""
        query = "&".join("%s=%s" % (k, urllib.parse.quote(str(v), safe="", encoding="latin-1"))
                         for k, v in values.items())
        status, _, body = self.get("/all/page0.php?" + query)
        assert status == 200, status
        return body.decode("latin-1")

    def log_text(self):
        self.log.seek(0)
        return self.log.read().decode("latin-1")

    def alive(self):
        return self.process.poll() is None

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(5)
        self.process.stdout.close()
        self.log.close()
