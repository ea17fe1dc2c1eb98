"""The lobby script all/page0.php: who is logged in where, the relayed messages and the
results. One Lobby object holds all of it behind one lock; handle() answers one request.

Replies are the programs' grammar: "*rj:" + a two-letter reason, or "*NN:" + records + "*".
A record is "[" + fields joined by ";" + "]", so every field ends with ";" or "]".
"""
import collections
import ipaddress
import re
import threading
import time
from dataclasses import dataclass, field

from accounts import Accounts

# name, kind: 0 shows as " (C)" in the client, 1 " (T)" and 2 " (W)" in the server.
COMPETITIONS = (("Free Play", 0), ("Tournoi d'\u00e9t\u00e9", 0), ("Weekly Tournament", 1), ("World Cup", 2))

FREE, LINKED, PLAYING = "fr", "lk", "bs"

REFUSE_ACCOUNT = "*rj:id**"
REFUSE_CLOSED = "*rj:tm"
REFUSE_LATER = "*rj:ar"
REFUSE_BAD_QUERY = "*rj:bq"

RESULT_WORDS = {0: "won, two pigs given", 1: "won", 2: "lost", 3: "pig", 5: "abandoned"}

PORT = re.compile(r"[0-9]{1,5}")
KIND = re.compile(r"[1-7]")
RESULT = re.compile(r"[0-9]")


@dataclass
class Limits:
    users: int = 200          # listed users, all competitions together
    waiting: int = 50         # messages waiting for one user
    results: int = 200        # results kept for the results page
    text: int = 64            # addresses, stamps and other short fields
    stamp: int = 20           # the "connected since" column and message stamps
    body: int = 255           # a message body


def clean(text, limit):
    """A field as it may be echoed: no field terminator, no end marker, no control
    character, at most limit characters."""
    kept = "".join(" " if ord(c) < 32 or ord(c) == 127 else c for c in text if c not in ";]*")
    return kept[:limit]


def port_of(text):
    if text is None or not PORT.fullmatch(text):
        return None
    port = int(text)
    return port if 0 < port < 65536 else None


def country_of(address):
    try:
        ip = ipaddress.ip_address(address)
    except ValueError:
        return "Internet"
    if ip.is_loopback:
        return "Local"
    if ip.is_private or ip.is_link_local:
        return "LAN"
    return "Internet"


@dataclass
class User:
    nickname: str
    competition: str
    kind: str                 # "Se" host, "Cl" guest
    ip: str                   # the address the site sees; others reach the user there
    local_ip: str             # the address the program says it has
    port: int
    since: str
    country: str
    last_seen: float
    state: str = FREE
    inbox: collections.deque = field(default_factory=collections.deque)
    partners: set = field(default_factory=set)

    @property
    def key(self):
        return (self.ip, self.port)


@dataclass
class Result:
    when: str
    nickname: str
    competition: str
    address: str
    code: int

    @property
    def words(self):
        return RESULT_WORDS.get(self.code, "code %d" % self.code)


class Lobby:
    def __init__(self, accounts=None, refuse=None, presence_timeout=60.0, limits=None,
                 clock=time.monotonic):
        self.accounts = accounts or Accounts()
        self.refuse = refuse
        self.presence_timeout = presence_timeout
        self.limits = limits or Limits()
        self._clock = clock
        self._lock = threading.Lock()
        self._users = {}          # (ip, port) -> User, in login order
        self._stale = {}          # users dropped for not polling, revived by their next poll
        self._results = collections.deque(maxlen=self.limits.results)

    # -- queries for pages and tests ------------------------------------------------------

    def listed(self, competition=None):
        with self._lock:
            self._expire()
            return [u for u in self._users.values()
                    if competition is None or u.competition == competition]

    def results(self):
        with self._lock:
            return list(reversed(self._results))

    # -- requests ---------------------------------------------------------------------------

    def handle(self, params, seen_ip):
        """The reply to one request; params maps each key to its first value."""
        code = params.get("req", "")
        handler = self._HANDLERS.get(code)
        if handler is None:
            return REFUSE_BAD_QUERY
        nickname = params.get("wsurnom")
        password = params.get("wpassword")
        if nickname is None or password is None:
            return REFUSE_BAD_QUERY
        if not self.accounts.check(nickname, password):
            return REFUSE_ACCOUNT
        with self._lock:
            self._expire()
            return handler(self, params, nickname, seen_ip)

    def _check(self, params, nickname, seen_ip):
        lists = "".join("[%s;%d]" % (clean(name, self.limits.text), kind)
                        for name, kind in COMPETITIONS)
        return "*00:" + lists + "*"

    def _login(self, params, nickname, seen_ip):
        if self.refuse == "tm":
            return REFUSE_CLOSED
        if self.refuse == "ar":
            return REFUSE_LATER
        competition = params.get("wnomcomp", "")
        if not _known_competition(competition):
            return REFUSE_CLOSED
        port = port_of(params.get("wport"))
        if port is None:
            return REFUSE_BAD_QUERY
        key = (seen_ip, port)
        old = self._users.get(key)
        if old is not None and old.nickname != nickname:
            # The programs tell users apart by address and port: this one is still held.
            return REFUSE_LATER
        if old is not None:
            self._drop(old)
        self._stale.pop(key, None)
        if len(self._users) >= self.limits.users:
            return REFUSE_LATER
        since = clean(params.get("wdatetime", ""), self.limits.stamp).strip()
        user = User(nickname=nickname, competition=competition,
                    kind="Se" if params.get("wtype") == "Se" else "Cl",
                    ip=seen_ip, local_ip=clean(params.get("wadIP", ""), self.limits.text),
                    port=port, since=since or time.strftime("%d/%m/%Y/%H:%M:%S"),
                    country=country_of(seen_ip), last_seen=self._clock())
        self._users[key] = user
        return "*01:" + self._user_list(competition, user) + "*"

    def _leave(self, params, nickname, seen_ip):
        port = port_of(params.get("wport"))
        if port is None:
            return REFUSE_BAD_QUERY
        user = self._find(seen_ip, params.get("wadIP", ""), port, nickname, revive=False)
        if user is not None:
            self._drop(user)
        self._stale.pop((seen_ip, port), None)
        return "*02:*"

    def _list(self, params, nickname, seen_ip):
        competition = params.get("wnomcomp")
        if competition is None:
            return REFUSE_BAD_QUERY
        if not _known_competition(competition):
            return REFUSE_CLOSED
        port = port_of(params.get("wport"))
        user = None
        if port is not None:
            user = self._find(seen_ip, params.get("wadIP", ""), port, nickname)
            if user is not None:
                user.last_seen = self._clock()
        return "*03:" + self._user_list(competition, user) + "*"

    def _relay(self, params, nickname, seen_ip):
        kind_text = params.get("wtype", "")
        to_port = port_of(params.get("wportdestin"))
        from_port = port_of(params.get("wportsource"))
        to_ip = params.get("widdestin")
        if not KIND.fullmatch(kind_text) or to_port is None or from_port is None or not to_ip:
            return REFUSE_BAD_QUERY
        kind = int(kind_text)
        sender = self._find(seen_ip, params.get("widsource", ""), from_port, nickname)
        addressee = self._find_addressee(to_ip, to_port)
        if addressee is None:
            return "*04:nobody*"
        if len(addressee.inbox) >= self.limits.waiting:
            return "*04:full*"
        # The addressee answers the sender at the address it sees in its user list.
        sender_ip = sender.ip if sender is not None else seen_ip
        addressee.inbox.append((kind, clean(params.get("wdatetime", ""), self.limits.text),
                                sender_ip, from_port, nickname,
                                params.get("wdata", "")[:self.limits.body]))
        if sender is not None:
            sender.last_seen = self._clock()
            self._step_states(kind, sender, addressee)
        return "*04:ok*"

    def _messages(self, params, nickname, seen_ip):
        port = port_of(params.get("wportsource"))
        if port is None:
            return REFUSE_BAD_QUERY
        user = self._find(seen_ip, params.get("widsource", ""), port, nickname)
        records = []
        if user is not None:
            user.last_seen = self._clock()
            # Both programs stop reading a list after an invitation, an acknowledgement or a
            # game start; what follows stays here for the next poll so nothing is lost.
            while user.inbox:
                message = user.inbox.popleft()
                records.append(_record(message[0], *message[1:], limit=self.limits))
                if message[0] in (2, 5, 7):
                    break
        return "*05:" + "".join(records) + "*"

    def _presence(self, params, nickname, seen_ip):
        now = self._clock()
        for user in self._users.values():
            if user.nickname == nickname and seen_ip in (user.ip, user.local_ip):
                user.last_seen = now
        for key, user in list(self._stale.items()):
            if user.nickname == nickname and user.ip == seen_ip:
                self._revive(key)
        return "*07:*"

    def _result(self, params, nickname, seen_ip):
        code = params.get("wres", "")
        if not RESULT.fullmatch(code):
            return REFUSE_BAD_QUERY
        self._results.append(Result(
            when=time.strftime("%Y-%m-%d %H:%M:%S"), nickname=nickname,
            competition=clean(params.get("wnomcomp", ""), self.limits.text),
            address=seen_ip, code=int(code)))
        return "*08:*"

    _HANDLERS = {"00": _check, "01": _login, "02": _leave, "03": _list, "04": _relay,
                 "5": _messages, "05": _messages, "07": _presence, "08": _result}

    # -- state --------------------------------------------------------------------------------

    def _user_list(self, competition, asking):
        """The competition's users other than the one asking: a program alone in its
        competition shows that nobody else is connected."""
        text = self.limits.text
        return "".join(
            "[" + ";".join((clean(u.nickname, text), clean(u.nickname, text),
                            u.country, u.kind, u.state, clean(u.since, self.limits.stamp),
                            clean(u.ip, text), str(u.port))) + "]"
            for u in self._users.values() if u.competition == competition and u is not asking)

    def _find(self, seen_ip, claimed_ip, port, nickname, revive=True):
        """The user behind a request: by the address it gives or the one the site sees."""
        for key in ((claimed_ip, port), (seen_ip, port)):
            user = self._users.get(key)
            if user is not None and user.nickname == nickname:
                return user
        for user in self._users.values():
            if user.port == port and user.local_ip == claimed_ip and user.nickname == nickname:
                return user
        if revive:
            user = self._stale.get((seen_ip, port))
            if user is not None and user.nickname == nickname:
                return self._revive(user.key)
        return None

    def _find_addressee(self, ip, port):
        user = self._users.get((ip, port))
        if user is not None:
            return user
        for user in self._users.values():
            if user.port == port and user.local_ip == ip:
                return user
        return None

    def _step_states(self, kind, sender, addressee):
        if kind == 4:
            new_state = LINKED
        elif kind in (5, 6, 7):
            new_state = PLAYING
        else:
            return
        for one, other in ((sender, addressee), (addressee, sender)):
            one.partners.add(other.key)
            if one.state != PLAYING:
                one.state = new_state

    def _drop(self, user):
        self._users.pop(user.key, None)
        for key in user.partners:
            partner = self._users.get(key)
            if partner is None:
                continue
            partner.partners.discard(user.key)
            if not partner.partners and partner.state == LINKED:
                partner.state = FREE
        user.partners = set()

    def _revive(self, key):
        user = self._stale.pop(key)
        if len(self._users) >= self.limits.users:
            return None
        user.state = FREE
        user.last_seen = self._clock()
        self._users[key] = user
        return user

    def _expire(self):
        now = self._clock()
        for user in [u for u in self._users.values()
                     if now - u.last_seen > self.presence_timeout]:
            self._drop(user)
            self._stale[user.key] = user
        keep = max(10 * self.presence_timeout, 600.0)
        for key in [k for k, u in self._stale.items() if now - u.last_seen > keep]:
            del self._stale[key]
        while len(self._stale) > self.limits.users:
            del self._stale[next(iter(self._stale))]


def _known_competition(name):
    return any(name == known for known, _ in COMPETITIONS)


def _record(kind, stamp, ip, port, extra, body, limit):
    return "[" + ";".join((str(kind), clean(stamp, limit.text), clean(ip, limit.text),
                           str(port), clean(extra, limit.text), body)) + "]"
