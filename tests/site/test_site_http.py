"""The site as a running process: scripted players in the lobby, hostile requests, the
pages' titles and the files it serves."""
import html.parser
import http.client
import io
import os
import re
import shutil
import socket
import tempfile
import time
import unittest
import urllib.parse
import zipfile

from site_process import ROOT, SiteProcess
from test_lobby import read_records

COMP = "Free Play"


class TitleReader(html.parser.HTMLParser):
    """The document title as a browser gives it (entities decoded), and the page's links."""

    def __init__(self, text):
        super().__init__()
        self.title, self.links, self._in_title = "", [], False
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        if tag == "title":
            self._in_title = True
        if tag == "a":
            self.links.append(dict(attrs).get("href", ""))

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def page(site, path):
    status, _, body = site.get(path)
    return status, TitleReader(body.decode("latin-1"))


class Player:
    """One scripted program in the lobby, polling as the client does."""

    def __init__(self, site, nick, port, kind, comp=COMP):
        self.site, self.nick, self.port, self.kind, self.comp = site, nick, port, kind, comp

    def ask(self, req, **values):
        return self.site.lobby(req=req, wsurnom=self.nick, wpassword=self.nick + "-pw", **values)

    def login(self):
        return self.ask("01", wnomcomp=self.comp, wtype=self.kind, wetat="fr", wadIP="127.0.0.1",
                        wport=self.port, wdatetime="10/12/2026/15:00:00", iop=1)

    def users(self):
        self.ask("07", iop=2)
        reply = self.ask("03", wadIP="127.0.0.1", wport=self.port, wnomcomp=self.comp, iop=3)
        return [(r[0], r[3], r[6], r[7]) for r in read_records(reply, 8)]

    def messages(self):
        reply = self.ask("5", widsource="127.0.0.1", wportsource=self.port, iop=3)
        return read_records(reply, 6)

    def send(self, ip, port, kind, data=""):
        return self.ask("04", wtype=kind, widsource="127.0.0.1", wportsource=self.port,
                        widdestin=ip, wportdestin=port, wdatetime="on 10/12/2026 at 15:00:00",
                        wdata=data, iop=4)


class LobbyOverHttpTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = SiteProcess("--presence-timeout", "1")

    @classmethod
    def tearDownClass(cls):
        cls.site.stop()

    def test_two_players_meet_exchange_a_message_and_leave_when_silent(self):
        # A competition of their own: the other tests' players stay out of their lists.
        host = Player(self.site, "hosta", 7101, "Se", comp="World Cup")
        guest = Player(self.site, "guestb", 7102, "Cl", comp="World Cup")
        self.assertTrue(host.login().startswith("*01:"))
        self.assertTrue(guest.login().startswith("*01:"))
        both = [("hosta", "Se", "127.0.0.1", "7101"), ("guestb", "Cl", "127.0.0.1", "7102")]
        self.assertEqual(host.users(), [both[1]])
        self.assertEqual(guest.users(), [both[0]])

        # The host invites the guest at the address and port its list shows.
        _, _, ip, port = host.users()[0]
        self.assertEqual(host.send(ip, int(port), 2), "*04:ok*")
        self.assertEqual(host.messages(), [])
        (invitation,) = guest.messages()
        self.assertEqual(invitation[:4], ["2", "on 10/12/2026 at 15:00:00", "127.0.0.1", "7101"])
        self.assertEqual(guest.messages(), [])
        self.assertEqual(guest.send("127.0.0.1", 7101, 1, data="Hello, host & co = 2+2"),
                         "*04:ok*")
        self.assertEqual([m[5] for m in host.messages()], ["Hello, host & co = 2+2"])

        # The guest stops polling; the host keeps at it and soon sees it alone.
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and host.users():
            time.sleep(0.2)
        self.assertEqual(host.users(), [])
        self.assertEqual(Player(self.site, "watcher", 7103, "Cl", comp="World Cup").users(),
                         [both[0]])

    def test_hostile_requests_get_a_clean_answer_and_the_site_goes_on(self):
        lobby = "/all/page0.php?"
        cases = [
            ("no query", "/all/page0.php", 200, b"*rj:bq"),
            ("missing keys", lobby + "req=01&wsurnom=x1", 200, b"*rj:bq"),
            ("port not a number", lobby + "req=01&wsurnom=x1&wpassword=p&wnomcomp=Free%20Play"
             "&wtype=Se&wport=abc", 200, b"*rj:bq"),
            ("bad percent-encoding", lobby + "req=00&wsurnom=%zz%&wpassword=%E9%", 200, b"*00:"),
            ("half an escape", lobby + "req=0%", 200, b"*rj:bq"),
            ("huge value", lobby + "req=00&wsurnom=" + "y" * 20000 + "&wpassword=p", 200,
             b"*rj:id**"),
            ("separators only", lobby + "&&&===&", 200, b"*rj:bq"),
            ("unknown path", "/nothing/here.php", 404, b""),
            ("dot dot", "/files/../site/morvatel_site.py", 403, b""),
            ("encoded dot dot", "/files/%2e%2e/%2E%2E/etc/passwd", 403, b""),
            ("encoded slash", "/files/players%2F..%2F..%2Fetc%2Fpasswd", 403, b""),
            ("absolute path", "/files//etc/passwd", 403, b""),
            ("backslash", "/files/players\\..\\x.zip", 403, b""),
            ("one-byte name of no file", "/files/players/%ff.zip", 404, b""),
            ("a folder", "/files/players", 404, b""),
            ("missing file", "/files/players/none.zip", 404, b""),
            ("unknown page", "/red/index.php?opt=99", 404, b"<!DOCTYPE html>"),
            ("page not a number", "/red/index.php?opt=%00x", 404, b"<!DOCTYPE html>"),
        ]
        for name, path, status, start in cases:
            with self.subTest(name):
                got_status, _, body = self.site.get(path)
                self.assertEqual(got_status, status)
                self.assertTrue(body.startswith(start), body[:60])
        # A request line past the server's limit, garbage and a silent client.
        self.assertEqual(self.site.get("/all/page0.php?req=00&x=" + "z" * 70000)[0], 414)
        for raw in (b"HELLO\r\n\r\n", b"GET\r\n\r\n", b"\xff\xfe\x00\r\n\r\n"):
            with socket.create_connection((self.site.host, self.site.port), timeout=10) as s:
                s.sendall(raw)
                s.recv(1024)
        silent = socket.create_connection((self.site.host, self.site.port), timeout=10)
        self.assertEqual(self.site.get("/pub/index.php?lang=us")[0], 200)
        silent.close()
        self.assertTrue(self.site.alive())
        self.assertNotIn("Traceback", self.site.log_text())

    def test_a_doubled_slash_after_the_base_address_finds_the_page(self):
        self.assertEqual(self.site.get("//us/community/players")[0], 200)
        status, _, body = self.site.get("//all/page0.php?req=00&wsurnom=slash&wpassword=p")
        self.assertTrue(body.startswith(b"*00:"))

    def test_a_head_request_cannot_take_anyones_messages(self):
        reader = Player(self.site, "reader", 7111, "Cl")
        writer = Player(self.site, "writer", 7112, "Se")
        reader.login()
        writer.login()
        writer.send("127.0.0.1", 7111, 1, data="keep me")
        poll = ("/all/page0.php?req=5&wsurnom=reader&wpassword=reader-pw"
                "&widsource=127.0.0.1&wportsource=7111&iop=1")
        self.assertEqual(self.site.get(poll, method="HEAD")[0], 405)
        self.assertEqual([m[5] for m in reader.messages()], ["keep me"])

    def test_connections_past_the_bound_are_closed_and_the_site_recovers(self):
        silent = [socket.create_connection((self.site.host, self.site.port), timeout=10)
                  for _ in range(64)]
        try:
            with socket.create_connection((self.site.host, self.site.port), timeout=10) as extra:
                extra.sendall(b"GET /pub/index.php HTTP/1.0\r\n\r\n")
                self.assertEqual(extra.recv(1024), b"")
        finally:
            for s in silent:
                s.close()
        deadline = time.monotonic() + 10
        status = None
        while time.monotonic() < deadline and status != 200:
            try:
                status = self.site.get("/pub/index.php")[0]
            except (ConnectionError, http.client.HTTPException):
                time.sleep(0.1)
        self.assertEqual(status, 200)

    def test_passwords_stay_out_of_the_request_log(self):
        self.site.lobby(req="00", wsurnom="logged", wpassword="hunter2", iop=1)
        self.site.get("/red/index.php?opt=10&act=login&nick=logged&pass=hunter2")
        log = self.site.log_text()
        self.assertIn("wsurnom=logged", log)
        self.assertNotIn("hunter2", log)


class RefusalOverHttpTest(unittest.TestCase):
    def test_switched_on_refusals_and_a_wrong_password(self):
        files = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, files)
        login = dict(req="01", wsurnom="carl", wpassword="pw", wnomcomp=COMP, wtype="Cl",
                     wetat="fr", wadIP="127.0.0.1", wport=7201, wdatetime="now", iop=1)
        for refuse, expected in (("tm", "*rj:tm"), ("ar", "*rj:ar")):
            with self.subTest(refuse=refuse):
                site = SiteProcess("--files", files, "--refuse", refuse)
                try:
                    self.assertEqual(site.lobby(**login), expected)
                    self.assertTrue(site.lobby(req="00", wsurnom="carl", wpassword="pw",
                                               iop=2).startswith("*00:"))
                    self.assertEqual(site.lobby(req="00", wsurnom="carl", wpassword="other",
                                                iop=3), "*rj:id**")
                finally:
                    site.stop()

    def test_an_accounts_file_closes_the_site_to_others(self):
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder)
        accounts = os.path.join(folder, "accounts.txt")
        with open(accounts, "w", encoding="utf-8") as f:
            f.write("dana=p&w=1\n")
        site = SiteProcess("--files", folder, "--accounts", accounts)
        try:
            self.assertTrue(site.lobby(req="00", wsurnom="dana", wpassword="p&w=1")
                            .startswith("*00:"))
            self.assertEqual(site.lobby(req="00", wsurnom="erin", wpassword="x"), "*rj:id**")
            _, reader = page(site, "/red/index.php?opt=9&act=create&nick=erin&pass=x")
            self.assertFalse(reader.title.startswith("Logging "))
        finally:
            site.stop()

    def test_a_bad_command_line_is_refused_with_a_message(self):
        import subprocess
        import sys
        script = os.path.join(ROOT, "site", "morvatel_site.py")
        for args in (["--port", "x"], ["--port", "0", "--refuse", "zz"],
                     ["--port", "0", "--presence-timeout", "0"],
                     ["--port", "0", "--files", "/no/such/folder"],
                     ["--port", "0", "--accounts", "/no/such/file"]):
            with self.subTest(args=args):
                done = subprocess.run([sys.executable, script] + args, capture_output=True,
                                      text=True, timeout=30)
                self.assertNotEqual(done.returncode, 0)
                self.assertNotIn("Traceback", done.stderr)
                self.assertEqual(done.stdout, "")


class PagesAndFilesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = SiteProcess("--banner-version", "3.1.0")

    @classmethod
    def tearDownClass(cls):
        cls.site.stop()

    def test_page_titles(self):
        cases = [
            ("/pub/index.php?lang=us", "MORVATEL 3.1.0"),
            ("/red/index.php?lg=&pw=&dwl=1&opt=3&lang=us", "Morvatel Online - Players to download"),
            ("/red/index.php?lg=&pw=&dwl=1&opt=3&lang=us&dl=dora.zip", "Downloading 0!dora.zip!"),
            ("/red/index.php?opt=1&dl=sunset.zip", "Downloading 1!sunset.zip!"),
            ("/red/index.php?opt=4&dl=site_english.zip", "Downloading 2!site_english.zip!"),
            ("/red/index.php?opt=2&dl=marble.zip", "Downloading 3!marble.zip!"),
            ("/red/index.php?opt=3&dl=..%2F..%2Fsite%2Fx.zip", "File not found"),
            ("/red/index.php?opt=3&dl=sunset.zip", "File not found"),
            ("/red/index.php?opt=10&act=login&nick=fay&pass=a%26b%3Dc%3C", "Logging fay&a&b=c<"),
            ("/red/index.php?opt=10&act=login&nick=fay&pass=wrong", "Morvatel Online - Home and community"),
            ("/red/index.php?opt=9&act=create&nick=fay&pass=x", "Morvatel Online - New account"),
            ("/red/index.php?opt=9&act=create&nick=g%E9o&pass=1", "Logging g\u00e9o&1"),
            # Latin-1 only: the two bytes of a UTF-8 "\u00e9" are two characters.
            ("/red/index.php?opt=9&act=create&nick=z%C3%A9&pass=1", "Logging z\u00c3\u00a9&1"),
            ("/red/index.php?opt=9&act=create&nick=a%3Bb&pass=1", "Morvatel Online - New account"),
            ("/red/index.php?opt=10&act=login&nick=&pass=", "Morvatel Online - Home and community"),
        ] + [("/red/index.php?lg=fay&pw=x&dwl=1&opt=%d&lang=us" % opt, "Morvatel Online - " + t)
             for opt, t in ((5, "Forums"), (6, "On-line guide"), (7, "Morvatel home page"),
                            (9, "New account"), (10, "Home and community"),
                            (11, "Player editor"), (12, "About"))]
        for path, title in cases:
            with self.subTest(path):
                status, reader = page(self.site, path)
                self.assertEqual(status, 404 if title == "File not found" else 200)
                self.assertTrue(reader.title.startswith(title), reader.title)
        # The lobby knows the account a page made.
        self.assertTrue(self.site.lobby(req="00", wsurnom="fay", wpassword="a&b=c<")
                        .startswith("*00:"))

    def test_each_download_entry_names_the_files_real_size(self):
        for opt, kind, folder in ((3, 0, "players"), (1, 1, "themes"), (4, 2, "languages"),
                                  (2, 3, "textures")):
            with self.subTest(folder=folder):
                _, listing = page(self.site, "/red/index.php?lg=&pw=&dwl=1&opt=%d&lang=us" % opt)
                entries = [l for l in listing.links if "dl=" in l]
                self.assertEqual(len(entries), 1)
                _, download = page(self.site, "/red/" + entries[0])
                command, name, size = download.title[len("Downloading "):].split("!")
                self.assertEqual(command, str(kind))
                status, headers, body = self.site.get(
                    "/files/%s/%s" % (folder, urllib.parse.quote(name)))
                self.assertEqual(status, 200)
                self.assertEqual(int(size), len(body))
                self.assertEqual(int(headers["Content-Length"]), len(body))

    def archive(self, path):
        status, headers, body = self.site.get(path)
        self.assertEqual(status, 200)
        self.assertEqual(headers["Content-Type"], "application/zip")
        archive = zipfile.ZipFile(io.BytesIO(body))
        self.assertIsNone(archive.testzip())
        return archive

    def test_archives_are_real_zips_holding_what_the_game_unpacks(self):
        player = self.archive("/files/players/dora.zip")
        names = set(player.namelist())
        self.assertIn("players/dora domino.vrk", names)
        profile = player.read("players/dora domino.vrk").decode("latin-1")
        self.assertIn("Directory=dora\r\n", profile)
        folder_files = {n for n in names if n.startswith("players/dora/") and not n.endswith("/")}
        media = set(re.findall(r"\r\n(\w+\.wav)\r\n", profile))
        picture = re.search(r"\[Picture\]\r\n(.+?)\r\n", profile).group(1)
        self.assertEqual(folder_files, {"players/dora/" + n for n in media | {picture}})
        self.assertEqual(player.read("players/dora/" + picture)[:2], b"\xff\xd8")
        self.assertEqual(player.read("players/dora/begin.wav")[:4], b"RIFF")

        theme = self.archive("/files/themes/sunset.zip")
        text = theme.read("themes/Sunset.thm").decode("latin-1")
        textures = re.findall(r"\r\n(themes/textures/[\w.]+\.jpg)\r\n", text)
        self.assertEqual(len(textures), 3)
        self.assertLessEqual(set(textures), set(theme.namelist()))

        texture = self.archive("/files/textures/marble.zip")
        self.assertEqual(texture.namelist(), ["marble.jpg"])
        self.assertEqual(texture.read("marble.jpg")[:2], b"\xff\xd8")

        language = self.archive("/files/languages/site_english.zip")
        self.assertEqual(language.namelist(), ["univers/morvatel30_site_english.lng"])
        lines = language.read(language.namelist()[0]).decode("latin-1").split("\r\n")
        self.assertEqual(lines[0], "[Description]")
        self.assertEqual((lines[4].upper(), lines[5]), ("MORVATEL DOMINOES", "3.0"))
        with open(os.path.join(ROOT, "data", "univers", "morvatel30_english.lng"), "rb") as f:
            shipped = f.read().decode("latin-1").splitlines()
        keys = {l.split("=", 1)[0] for l in shipped[6:] if "=" in l}
        self.assertEqual(keys, {l.split("=", 1)[0] for l in lines[6:] if "=" in l})

    def test_pictures_installer_and_community_page(self):
        _, reader = page(self.site, "/us/community/players")
        pictures = [l for l in reader.links]  # no links, the pictures are <img>
        self.assertEqual(pictures, [])
        status, _, body = self.site.get("/us/community/players")
        names = re.findall(rb'src="../../files/players/community/([^"]+)"', body)
        self.assertGreaterEqual(len(names), 3)
        for name in names:
            status, headers, picture = self.site.get(
                "/files/players/community/" + name.decode())
            self.assertEqual((status, headers["Content-Type"], picture[:2]),
                             (200, "image/jpeg", b"\xff\xd8"))
        status, _, setup = self.site.get("/files/software/morvatel/morvatelSetup.exe")
        self.assertEqual(status, 200)
        self.assertIn(b"no installer", setup)

    def test_the_help_page_and_the_results_page(self):
        status, _, body = self.site.get("/")
        self.assertEqual(status, 200)
        self.assertIn(b"User states during a handshake", body)
        self.site.lobby(req="08", wsurnom="hal", wpassword="pw", wnomcomp="World Cup",
                        wadIP="127.0.0.1", wres=0, iop=1)
        status, _, body = self.site.get("/results/")
        self.assertEqual(status, 200)
        self.assertIn(b"<td>hal</td><td>World Cup</td>", body)
        self.assertIn(b"won, two pigs given", body)


class FilesFolderTest(unittest.TestCase):
    def test_only_regular_files_inside_the_folder_are_offered_and_served(self):
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        outside = os.path.join(root, "outside.zip")
        with open(outside, "wb") as f:
            f.write(b"PK secret")
        files = os.path.join(root, "files")
        os.makedirs(os.path.join(files, "players"))
        with open(os.path.join(files, "players", "kept.zip"), "wb") as f:
            f.write(b"\x00\r\n\x1a" * 100)
        os.symlink(outside, os.path.join(files, "players", "link.zip"))
        os.symlink(root, os.path.join(files, "players", "up"))
        os.mkfifo(os.path.join(files, "players", "pipe.zip"))
        with open(os.path.join(files, "players", "bang!name.zip"), "wb") as f:
            f.write(b"x")
        site = SiteProcess("--files", files)
        try:
            _, listing = page(site, "/red/index.php?opt=3")
            self.assertEqual([l for l in listing.links if "dl=" in l],
                             ["index.php?lg=&pw=&dwl=1&opt=3&lang=us&dl=kept.zip"])
            status, headers, body = site.get("/files/players/kept.zip")
            self.assertEqual((status, body), (200, b"\x00\r\n\x1a" * 100))
            self.assertEqual(headers["Content-Length"], "400")
            for path, status in (("/files/players/link.zip", 403),
                                 ("/files/players/up/outside.zip", 403),
                                 ("/files/players/pipe.zip", 404)):
                with self.subTest(path):
                    self.assertEqual(site.get(path)[0], status)
            self.assertEqual(site.get("/files/players/kept.zip", method="HEAD")[0], 200)
        finally:
            site.stop()


if __name__ == "__main__":
    unittest.main()
