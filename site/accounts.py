"""Lobby accounts: nicknames with their passwords.

Without an accounts file a nickname is taken with its password on first use and kept for
the run. With a file, only the accounts it lists are accepted.
"""
import threading

# Characters the programs use as field terminators and end markers, plus the query
# separator: a nickname holding one would break every reply that lists it.
NICKNAME_FORBIDDEN = set("*&;]")
MAX_NICKNAME = 32
MAX_PASSWORD = 64
MAX_ACCOUNTS = 1000


def nickname_problem(nickname):
    """Why a nickname cannot be used, or None when it can."""
    if not nickname or not nickname.strip():
        return "empty"
    if len(nickname) > MAX_NICKNAME:
        return "too long"
    # The programs write 8-bit text: a character above 255 cannot come back from them.
    if any(c in NICKNAME_FORBIDDEN or ord(c) < 32 or ord(c) == 127 or ord(c) > 255
           for c in nickname):
        return "forbidden character"
    return None


def password_problem(password):
    if len(password) > MAX_PASSWORD:
        return "too long"
    if any(ord(c) < 32 or ord(c) == 127 or ord(c) > 255 for c in password):
        return "forbidden character"
    return None


def read_accounts_file(path):
    """Reads "nickname=password" lines; blank lines and lines starting with "#" are skipped.
    The nickname ends at the first "=", so the password may hold any character."""
    with open(path, "rb") as f:
        raw = f.read()
    text = raw.decode("latin-1")  # the programs' text: one byte, one character
    accounts = {}
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if "=" not in line:
            raise ValueError(f"{path}:{number}: expected nickname=password")
        nickname, password = line.split("=", 1)
        problem = nickname_problem(nickname) or password_problem(password)
        if problem:
            raise ValueError(f"{path}:{number}: {problem}")
        accounts[nickname] = password
    return accounts


class Accounts:
    def __init__(self, fixed=None, limit=MAX_ACCOUNTS):
        self._lock = threading.Lock()
        self._open = fixed is None
        self._known = dict(fixed or {})
        self._limit = limit

    @property
    def open(self):
        """True when new nicknames are taken on first use."""
        return self._open

    def check(self, nickname, password):
        """True when the pair is a valid account, taking a free nickname on first use."""
        if nickname_problem(nickname) or password_problem(password):
            return False
        with self._lock:
            known = self._known.get(nickname)
            if known is not None:
                return known == password
            if not self._open or len(self._known) >= self._limit:
                return False
            self._known[nickname] = password
            return True

    def known(self, nickname, password):
        """True for a listed account with this password; takes nothing."""
        with self._lock:
            return self._known.get(nickname) == password and nickname in self._known

    def create(self, nickname, password):
        """Takes a new nickname; "taken", "closed", "full" or an input problem when not."""
        problem = nickname_problem(nickname) or password_problem(password)
        if problem:
            return problem
        with self._lock:
            if nickname in self._known:
                return "taken"
            if not self._open:
                return "closed"
            if len(self._known) >= self._limit:
                return "full"
            self._known[nickname] = password
            return None
