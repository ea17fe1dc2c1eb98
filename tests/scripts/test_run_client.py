"""scripts/run-client.sh as a user runs it, with the built client in a folder of its own."""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, "scripts", "run-client.sh")
OUT = os.environ.get("MORVATEL_OUT_DIR", os.path.join(ROOT, "build", "out"))
sys.path.insert(0, os.path.join(ROOT, "tests", "site"))
from site_process import SiteProcess  # noqa: E402

LIMIT = 90  # seconds for a client to start its engine and fetch its banner


def wait_for(condition, what, limit=LIMIT):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def read(path):
    with open(path, errors="replace") as f:
        return f.read()


def closed_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def answers(url):
    try:
        with urllib.request.urlopen(url + "pub/index.php", timeout=2) as reply:
            return reply.status == 200
    except OSError:
        return False


def children(pid):
    """(pid, command name) of the processes whose parent is pid."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        name = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat[stat.rindex(")") + 2:].split()
        if fields[0] != "Z" and int(fields[1]) == pid:
            found.append((int(entry), name))
    return found


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().split(")")[-1].split()[0] != "Z"
    except OSError:
        return False


class Run:
    """One run of the script; its output is read by a reader of files, never by a pipe."""

    def __init__(self, test, *args, env):
        self.out = tempfile.TemporaryFile(mode="w+")
        self.err = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen(["bash", SCRIPT, *args], env=env, stdout=self.out,
                                        stderr=self.err, stdin=subprocess.DEVNULL)
        test.addCleanup(self.stop)
        test.addCleanup(self.err.close)
        test.addCleanup(self.out.close)

    def text(self, stream):
        stream.seek(0)
        return stream.read()

    def client(self):
        found = [pid for pid, name in children(self.process.pid) if name == "morvatel"]
        return found[0] if found else None

    def site(self):
        found = [pid for pid, name in children(self.process.pid) if name.startswith("python")]
        return found[0] if found else None

    def end_client(self):
        """Ends the client as a user closing it would; the script's exit status."""
        client = wait_for(self.client, "the client process")
        os.kill(client, signal.SIGTERM)
        return self.process.wait(timeout=30)

    def stop(self):
        if self.process.poll() is None:
            client = self.client()
            if client:
                os.kill(client, signal.SIGKILL)
            try:
                self.process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class RunClientScript(unittest.TestCase):
    def setUp(self):
        if not os.access(os.path.join(OUT, "morvatel"), os.X_OK):
            self.skipTest("no client built at " + OUT)
        self.work = tempfile.mkdtemp(prefix="run-client-test-")
        self.addCleanup(shutil.rmtree, self.work, True)
        program = os.path.join(self.work, "out")
        shutil.copytree(OUT, program, ignore=shutil.ignore_patterns("param.ini", "datas.sta", "mvtserver"))
        runtime = os.path.join(self.work, "run")
        os.mkdir(runtime, 0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("MORVATEL_SITE_URL", "QTWEBENGINE_DISABLE_SANDBOX", "XDG_DATA_HOME")}
        self.env.update(MORVATEL_OUT=program, XDG_RUNTIME_DIR=runtime, TMPDIR=self.work,
                        HOME=os.path.join(self.work, "home"),
                        MORVATEL_CLIENTS_HOME=os.path.join(self.work, "clients"),
                        QT_QPA_PLATFORM="offscreen", QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")

    def started_site(self, run):
        """The address and log file of the site the script says it started."""
        line = wait_for(lambda: next((l for l in run.text(run.out).splitlines()
                                      if l.startswith("run-client: no site answered")), None),
                        "the script's line about the site", 20)
        url = line.split(" runs at ")[1].split(" ")[0]
        log = line.split("(log: ")[1].rstrip(")")
        return url, log

    def assert_root_told_once(self, run):
        if os.geteuid() == 0:
            self.assertEqual(run.text(run.err).count("the browser engine runs without its sandbox"), 1,
                             run.text(run.err))

    def test_without_a_site_one_is_started_for_the_clients_time(self):
        missed = "http://127.0.0.1:%d/" % closed_port()
        run = Run(self, env=dict(self.env, MORVATEL_SITE_URL=missed))
        url, log = self.started_site(run)
        self.assertNotEqual(url, missed)
        self.assertTrue(answers(url))
        site = run.site()
        self.assertIsNotNone(site)
        # The client sends its account check once its banner page has arrived.
        wait_for(lambda: "req=00" in read(log), "the banner and the account check")
        self.assertIn("GET /pub/index.php?lang=", read(log))
        self.assert_root_told_once(run)
        run.end_client()
        self.assertFalse(alive(site))
        self.assertFalse(answers(url))
        self.assertFalse(os.path.exists(os.path.join(self.env["XDG_RUNTIME_DIR"],
                                                     "morvatel-site-%d.url" % os.getuid())))

    def test_a_running_site_is_used_and_left_running(self):
        site = SiteProcess()
        self.addCleanup(site.stop)
        run = Run(self, env=dict(self.env, MORVATEL_SITE_URL=site.url.rstrip("/")))
        wait_for(lambda: "req=00" in site.log_text(), "the banner and the account check")
        self.assertIsNone(run.site())
        self.assertNotIn("no site answered", run.text(run.out))
        self.assert_root_told_once(run)
        run.end_client()
        self.assertTrue(answers(site.url))

    def test_a_second_nickname_plays_beside_the_first_on_the_site_the_first_started(self):
        if answers("http://127.0.0.1:8080/"):
            self.skipTest("a site answers at the client's default address")
        first = Run(self, env=self.env)
        url, log = self.started_site(first)
        wait_for(lambda: "req=00" in read(log), "the first client's account check")
        second = Run(self, "--as", "Bob", env=self.env)
        # The second command finds the first one's site, and its client is not stopped by
        # the first one's single-instance lock.
        wait_for(lambda: "req=00&wsurnom=Bob" in read(log), "Bob's account check")
        self.assertIsNone(second.site())
        self.assertIsNotNone(second.client())
        folder = os.path.join(self.env["MORVATEL_CLIENTS_HOME"], "Bob")
        with open(os.path.join(folder, "param.ini"), "rb") as f:
            ini = f.read().decode("latin-1").splitlines()
        network = ini[ini.index("[Network Options]"):]
        self.assertIn("Surname=Bob", network)
        port = [l for l in network if l.startswith("Server port=")]
        self.assertEqual(len(port), 1, ini)
        self.assertGreaterEqual(int(port[0].split("=")[1]), 2321)
        self.assertIn("Bob plays from " + folder, second.text(second.out))
        second.end_client()
        self.assertIsNone(first.process.poll())
        self.assertTrue(answers(url))  # the first command's site outlives the second client
        first.end_client()
        self.assertFalse(answers(url))

    def test_bad_options_are_refused_before_anything_starts(self):
        cases = [("--as", "a/b"), ("--as", ".."), ("--as", "x*y"), ("--as", " Bob"),
                 ("--as", "Bob", "--port", "0"), ("--as", "Bob", "--port", "many"),
                 ("--port", "2400"), ("--as",)]
        for args in cases:
            with self.subTest(args=args):
                done = subprocess.run(["bash", SCRIPT, *args], env=self.env, capture_output=True,
                                      text=True, timeout=30)
                self.assertEqual(done.returncode, 2, done.stderr)
                self.assertNotIn("no site answered", done.stdout)
        self.assertFalse(os.path.exists(self.env["MORVATEL_CLIENTS_HOME"]))


if __name__ == "__main__":
    unittest.main()
