"""The site's HTML pages: the banner, the browser pages of red/index.php, the results and
the community players. Every text from a request or a file name is escaped before it
goes into a page."""
import html
import os
import re
import urllib.parse

import helptext
from accounts import nickname_problem, password_problem
from content import KIND_FOLDERS

SITE_NAME = "Morvatel Online"

# opt -> (title, kind offered for download or None)
PAGES = {
    1: ("Themes to download", 1),
    2: ("Textures to download", 3),
    3: ("Players to download", 0),
    4: ("Languages to download", 2),
    5: ("Forums", None),
    6: ("On-line guide", None),
    7: ("Morvatel home page", None),
    9: ("New account", None),
    10: ("Home and community", None),
    11: ("Player editor", None),
    12: ("About", None),
}
HOME = 10

# Download names must stay plain: no "!" (the title's separator), no folder, no query.
OFFERED_NAME = re.compile(r"[A-Za-z0-9][A-Za-z0-9 ._()-]{0,63}\.zip")

STYLE = ("body{font-family:sans-serif;margin:1.2em;background:#f3efe4;color:#222}"
         "h1{font-size:1.4em;color:#5a2d0c}nav a{margin-right:.8em}"
         "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:.2em .6em}"
         "form{margin:1em 0}label{display:inline-block;min-width:7em}")


def escape(text):
    return html.escape(text, quote=True)


def document(title, body, status=200):
    page = ("<!DOCTYPE html><html><head><meta charset=\"iso-8859-1\"><title>%s</title>"
            "<style>%s</style></head><body>%s</body></html>" % (escape(title), STYLE, body))
    return status, page


class Pages:
    def __init__(self, lobby, files_dir, banner_version):
        self.lobby = lobby
        self.files_dir = files_dir
        self.banner_version = banner_version

    # -- helpers ------------------------------------------------------------------------------

    def offered(self, kind):
        """(name, size) of every archive offered for a kind, sorted by name."""
        folder = os.path.join(self.files_dir, KIND_FOLDERS[kind])
        found = []
        try:
            names = sorted(os.listdir(folder))
        except OSError:
            return found
        for name in names:
            path = os.path.join(folder, name)
            if OFFERED_NAME.fullmatch(name) and os.path.isfile(path) \
                    and not os.path.islink(path):
                found.append((name, os.path.getsize(path)))
        return found

    @staticmethod
    def link(params, opt, **extra):
        query = {"lg": params.get("lg", ""), "pw": params.get("pw", ""), "dwl": "1",
                 "opt": str(opt), "lang": params.get("lang", "us")}
        query.update(extra)
        return "index.php?" + urllib.parse.urlencode(query, quote_via=urllib.parse.quote,
                                                     encoding="latin-1", errors="replace")

    def nav(self, params):
        items = [(HOME, "Home"), (3, "Players"), (1, "Themes"), (2, "Textures"),
                 (4, "Languages"), (6, "Guide"), (9, "New account")]
        links = "".join('<a href="%s">%s</a>' % (escape(self.link(params, opt)), escape(word))
                        for opt, word in items)
        return ('<nav>%s<a href="../results/">Results</a>'
                '<a href="../us/community/players">Community players</a></nav>' % links)

    def account_form(self, params, opt, action, button):
        hidden = "".join('<input type="hidden" name="%s" value="%s">' % (k, escape(v))
                         for k, v in (("opt", str(opt)), ("dwl", "1"),
                                      ("lang", params.get("lang", "us")), ("act", action)))
        return ('<form method="get" action="index.php">%s'
                '<p><label for="nick">Nickname</label>'
                '<input id="nick" name="nick" maxlength="32"></p>'
                '<p><label for="pass">Password</label>'
                '<input id="pass" name="pass" type="password" maxlength="64"></p>'
                '<p><input type="submit" value="%s"></p></form>' % (hidden, escape(button)))

    # -- pages ----------------------------------------------------------------------------------

    def banner(self, params):
        return document("MORVATEL " + self.banner_version,
                        "<p><b>Morvatel Dominoes 3D</b> &mdash; network play on %s.</p>"
                        % escape(SITE_NAME))

    def help(self):
        body = ("<h1>%s: the stand-in web site</h1><pre>%s\n%s\n%s</pre>"
                '<p><a href="red/index.php?opt=10">Home</a> &middot; '
                '<a href="results/">Results</a> &middot; '
                '<a href="us/community/players">Community players</a></p>'
                % (escape(SITE_NAME), escape(helptext.USAGE_LINE),
                   escape(helptext.DESCRIPTION), escape(helptext.DETAILS)))
        return document(SITE_NAME, body)

    def red(self, params):
        opt_text = params.get("opt", str(HOME)) or str(HOME)
        if not re.fullmatch(r"[0-9]{1,3}", opt_text) or int(opt_text) not in PAGES:
            return document("Page not found",
                            "%s<h1>Page not found</h1><p>This site has no page %s.</p>"
                            % (self.nav(params), escape(opt_text[:40])), 404)
        opt = int(opt_text)
        title, kind = PAGES[opt]
        action = params.get("act")
        if action in ("login", "create") and opt in (9, 10):
            return self.log_in(params, opt, action)
        if kind is not None and "dl" in params:
            return self.download(params, opt, kind)
        if kind is not None:
            return self.download_list(params, opt, title, kind)
        return getattr(self, "page_%d" % opt)(params, title)

    def log_in(self, params, opt, action):
        nickname, password = params.get("nick", ""), params.get("pass", "")
        accounts = self.lobby.accounts
        if action == "create":
            problem = accounts.create(nickname, password)
        else:
            problem = nickname_problem(nickname) or password_problem(password)
            if not problem and not accounts.check(nickname, password):
                problem = "wrong password" if accounts.open else "unknown account"
        if problem:
            words = {"taken": "This nickname is already taken.",
                     "closed": "New accounts are not open on this site.",
                     "full": "This site holds no more accounts.",
                     "wrong password": "Wrong password for this nickname.",
                     "unknown account": "Unknown nickname or wrong password."}
            text = words.get(problem, "Invalid nickname or password (%s). "
                                      "No * & ; ] please." % problem)
            title = PAGES[opt][0]
            return document("%s - %s" % (SITE_NAME, title),
                            "%s<h1>%s</h1><p class=\"error\">%s</p>%s" % (
                self.nav(params), escape(title), escape(text),
                self.account_form(params, opt, action, "Try again")))
        # The game reads the nickname up to the first "&" and the password after it.
        return document("Logging %s&%s" % (nickname, password),
                        "<h1>Welcome, %s</h1><p>The game now plays under this account.</p>"
                        % escape(nickname))

    def download_list(self, params, opt, title, kind):
        rows = "".join(
            '<li><a href="%s">%s</a> (%d bytes)</li>'
            % (escape(self.link(params, opt, dl=name)), escape(name), size)
            for name, size in self.offered(kind))
        body = rows and "<ul>%s</ul>" % rows or "<p>Nothing to download here yet.</p>"
        return document("%s - %s" % (SITE_NAME, title),
                        "%s<h1>%s</h1>%s" % (self.nav(params), escape(title), body))

    def download(self, params, opt, kind):
        wanted = params.get("dl", "")
        for name, size in self.offered(kind):
            if name == wanted:
                direct = "../files/%s/%s" % (KIND_FOLDERS[kind], urllib.parse.quote(name))
                return document("Downloading %d!%s!%d" % (kind, name, size),
                                "<h1>Downloading %s</h1><p>The game fetches and installs it."
                                ' Outside the game: <a href="%s">%s</a>.</p>'
                                % (escape(name), escape(direct), escape(name)))
        return document("File not found", "%s<h1>File not found</h1><p>%s is not offered "
                        "here.</p>" % (self.nav(params), escape(wanted[:64])), 404)

    def _simple(self, params, title, text):
        return document("%s - %s" % (SITE_NAME, title),
                        "%s<h1>%s</h1>%s" % (self.nav(params), escape(title), text))

    def page_5(self, params, title):
        return self._simple(params, title, "<p>The stand-in site has no forums. Meet the "
                            "other players in the lobby of the game.</p>")

    def page_6(self, params, title):
        return self._simple(params, title, (
            "<p>Choose <b>Network</b> in the game, pick a competition and connect. Players "
            "listed as <i>Server</i> host games, <i>Client</i> players join them: invite a "
            "player of the other kind, or accept an invitation. When the host has its "
            "opponents, the game starts by itself.</p><p>The download pages install players, "
            "themes, textures and languages straight into the game.</p>"))

    def page_7(self, params, title):
        return self._simple(params, title, "<p>Morvatel Dominoes 3D: dominoes in three "
                            "dimensions, with a dedicated server for network play.</p>")

    def page_9(self, params, title):
        return self._simple(params, title, "<p>Choose a nickname and a password for the "
                            "competitions.</p>" + self.account_form(params, 9, "create",
                                                                    "Create the account"))

    def page_10(self, params, title):
        nickname = params.get("lg", "")
        if nickname and self.lobby.accounts.known(nickname, params.get("pw", "")):
            who = "<p>You play as <b>%s</b>.</p>" % escape(nickname)
        else:
            who = "<p>You are not logged in.</p>"
        players = "".join("<li>%s (%s)</li>" % (escape(u.nickname), escape(u.competition))
                          for u in self.lobby.listed())
        listed = players and "<h2>In the lobby now</h2><ul>%s</ul>" % players or ""
        return self._simple(params, title, who + "<h2>Log in</h2>" +
                            self.account_form(params, 10, "login", "Log in") + listed)

    def page_11(self, params, title):
        return self._simple(params, title, "<p>The player editor is not offered by the "
                            "stand-in site. Player profiles are text files: see the "
                            "players folder of the game.</p>")

    def page_12(self, params, title):
        return self._simple(params, title, "<p>%s is the stand-in web site shipped with "
                            "Morvatel Dominoes 3D, for network games on one machine or a "
                            "local network.</p>" % escape(SITE_NAME))

    def results(self):
        rows = "".join("<tr><td>%s</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>" % (
            escape(r.when), escape(r.nickname), escape(r.competition), escape(r.address),
            escape(r.words)) for r in self.lobby.results())
        table = rows and ("<table><tr><th>When</th><th>Player</th><th>Competition</th>"
                          "<th>Address</th><th>Result</th></tr>%s</table>" % rows) \
            or "<p>No game has been reported yet.</p>"
        return document("%s - Results" % SITE_NAME, "<h1>Results</h1>" + table)

    def community(self):
        folder = os.path.join(self.files_dir, "players", "community")
        try:
            names = sorted(n for n in os.listdir(folder)
                           if n.lower().endswith(".jpg") and all(ord(c) < 256 for c in n))
        except OSError:
            names = []
        cells = "".join('<figure style="display:inline-block"><img src="../../files/players/'
                        'community/%s" width="64" height="64" alt=""><figcaption>%s'
                        '</figcaption></figure>' % (escape(urllib.parse.quote(n, encoding="latin-1")),
                                                    escape(n[:-4])) for n in names)
        return document("%s - Community players" % SITE_NAME,
                        "<h1>Community players</h1>" + (cells or "<p>No pictures yet.</p>"))
