"""The lobby's requests and replies, driven without HTTP on a clock the tests move."""
import unittest

import site_process  # noqa: F401  (puts the site's folder on the path)
from accounts import Accounts, read_accounts_file
from lobby import Limits, Lobby

HOST_IP, GUEST_IP, LAN_IP = "127.0.0.1", "127.0.0.1", "192.168.1.20"
COMP = "Free Play"


def read_records(reply, count):
    """Reads a list reply as the programs do: from the fifth character, records until "*"
    (or "]" for messages); each record is one opening character then `count` fields, each
    ended by ";" or "]"."""
    records, pos = [], 4
    while pos < len(reply) and reply[pos] not in "*]":
        pos += 1
        fields = []
        for _ in range(count):
            end = pos
            while end < len(reply) and reply[end] not in ";]*":
                end += 1
            fields.append(reply[pos:end])
            pos = end + 1
        records.append(fields)
    return records


class Clock:
    def __init__(self):
        self.now = 1000.0

    def __call__(self):
        return self.now


class LobbyCase(unittest.TestCase):
    def setUp(self):
        self.clock = Clock()
        self.lobby = self.make_lobby()

    def make_lobby(self, **kwargs):
        kwargs.setdefault("presence_timeout", 60)
        return Lobby(clock=self.clock, **kwargs)

    def ask(self, seen, **values):
        return self.lobby.handle({k: str(v) for k, v in values.items()}, seen)

    def login(self, nick, port, kind="Cl", seen=HOST_IP, local=None, password="pw", comp=COMP,
              stamp="10/12/2026/14:00:00"):
        return self.ask(seen, req="01", wsurnom=nick, wpassword=password, wnomcomp=comp,
                        wtype=kind, wetat="fr", wadIP=local or seen, wport=port,
                        wdatetime=stamp, iop=1)

    def send(self, nick, port, to_ip, to_port, kind, data="", seen=HOST_IP, local=None,
             stamp="on 10/12/2026 at 14:00:00"):
        return self.ask(seen, req="04", wsurnom=nick, wpassword="pw", wtype=kind,
                        widsource=local or seen, wportsource=port, widdestin=to_ip,
                        wportdestin=to_port, wdatetime=stamp, wdata=data, iop=1)

    def poll(self, nick, port, seen=HOST_IP, local=None):
        return self.ask(seen, req="5", wsurnom=nick, wpassword="pw", widsource=local or seen,
                        wportsource=port, iop=1)

    def users(self, nick="watcher", port=7999, seen=HOST_IP):
        """The list as a user sees it; by default one that is not listed itself."""
        reply = self.ask(seen, req="03", wadIP=seen, wport=port, wsurnom=nick, wpassword="pw",
                         wnomcomp=COMP, iop=1)
        self.assertTrue(reply.startswith("*03:"), reply)
        return read_records(reply, 8)

    def states(self):
        return {r[0]: r[4] for r in self.users()}


class ReplyGrammarTest(LobbyCase):
    def test_every_reply_has_the_exact_form(self):
        self.login("alice", 7001, "Se")
        alice = "[alice;alice;Local;Se;fr;10/12/2026/14:00:00;127.0.0.1;7001]"
        bob = "[bob;bob;LAN;Cl;fr;since;192.168.1.20;7002]"
        cases = [
            ("00", dict(req="00", wsurnom="alice", wpassword="pw", iop=1),
             "*00:[Free Play;0][Tournoi d'\u00e9t\u00e9;0][Weekly Tournament;1][World Cup;2]*"),
            ("01", dict(req="01", wsurnom="bob", wpassword="pw", wnomcomp=COMP, wtype="Cl",
                        wetat="fr", wadIP="10.0.0.9", wport=7002, wdatetime="since", iop=2),
             "*01:" + alice + "*"),
            ("03", dict(req="03", wadIP=LAN_IP, wport=7002, wsurnom="bob", wpassword="pw",
                        wnomcomp=COMP, iop=3), "*03:" + alice + "*"),
            ("03 from elsewhere", dict(req="03", wadIP=HOST_IP, wport=7050, wsurnom="bob",
                                       wpassword="pw", wnomcomp=COMP, iop=3),
             "*03:" + alice + bob + "*"),
            ("03 other competition", dict(req="03", wadIP=LAN_IP, wport=7002, wsurnom="bob",
                                          wpassword="pw", wnomcomp="World Cup", iop=3),
             "*03:*"),
            ("04", dict(req="04", wsurnom="bob", wpassword="pw", wtype=1, widsource="10.0.0.9",
                        wportsource=7002, widdestin=HOST_IP, wportdestin=7001,
                        wdatetime="today", wdata="hello there", iop=4), "*04:ok*"),
            ("04 nobody", dict(req="04", wsurnom="bob", wpassword="pw", wtype=1,
                               widsource="10.0.0.9", wportsource=7002, widdestin=HOST_IP,
                               wportdestin=7999, wdatetime="", wdata="", iop=4),
             "*04:nobody*"),
            ("5", dict(req="5", wsurnom="alice", wpassword="pw", widsource=HOST_IP,
                       wportsource=7001, iop=5),
             "*05:[1;today;192.168.1.20;7002;bob;hello there]*"),
            ("5 again", dict(req="5", wsurnom="alice", wpassword="pw", widsource=HOST_IP,
                             wportsource=7001, iop=6), "*05:*"),
            ("07", dict(req="07", wsurnom="alice", wpassword="pw", iop=7), "*07:*"),
            ("08", dict(req="08", wsurnom="alice", wpassword="pw", wnomcomp=COMP,
                        wadIP=HOST_IP, wres=1, iop=8), "*08:*"),
            ("02", dict(req="02", wsurnom="bob", wpassword="pw", wadIP="10.0.0.9", wport=7002,
                        iop=9), "*02:*"),
            ("03 after leaving", dict(req="03", wadIP=HOST_IP, wport=7001, wsurnom="alice",
                                      wpassword="pw", wnomcomp=COMP, iop=10),
             "*03:*"),
            ("wrong password", dict(req="00", wsurnom="alice", wpassword="nope", iop=11),
             "*rj:id**"),
            ("unknown request", dict(req="06", wsurnom="alice", wpassword="pw"), "*rj:bq"),
        ]
        for name, values, expected in cases:
            seen = LAN_IP if values.get("wsurnom") == "bob" else HOST_IP
            with self.subTest(name):
                self.assertEqual(self.ask(seen, **values), expected)

    def test_echoed_text_cannot_break_the_reading_of_a_reply(self):
        self.login("alice", 7001, "Se", stamp="1;2]3*4\r\n")
        self.login("bob", 7002, local="9.9.9.9;]*")
        self.send("bob", 7002, HOST_IP, 7001, 1, data="first \xe9\xe0\xe7", stamp="on;]*x")
        self.send("bob", 7002, HOST_IP, 7001, 1, data="second")
        records = read_records(self.poll("alice", 7001), 6)
        self.assertEqual(len(records), 2)
        first, second = records
        self.assertEqual(first, ["1", "onx", HOST_IP, "7002", "bob", "first \xe9\xe0\xe7"])
        self.assertEqual(second[5], "second")
        users = self.users()
        self.assertEqual([u[0] for u in users], ["alice", "bob"])
        self.assertEqual(users[0][5], "1234")
        self.assertEqual([u[7] for u in users], ["7001", "7002"])


class RelayTest(LobbyCase):
    def test_a_body_is_relayed_as_it_came_cut_to_its_bound(self):
        # The programs' reply grammar decides what they read of a body; the site does not
        # clean it up.
        self.login("alice", 7001, "Se")
        self.login("bob", 7002)
        for body in ("a;b]c*d\r\ne", "Zo\xe9 \u00c3\u00a9", "x" * 400):
            with self.subTest(body=body[:12]):
                self.send("bob", 7002, HOST_IP, 7001, 1, data=body)
                reply = self.poll("alice", 7001)
                self.assertTrue(reply.endswith(";bob;" + body[:255] + "]*"), reply)


class AccountTest(LobbyCase):
    def test_a_nickname_is_taken_on_first_use_and_kept(self):
        self.assertTrue(self.ask(HOST_IP, req="00", wsurnom="zoé", wpassword="a&b=c",
                                 iop=1).startswith("*00:"))
        for req, values in (("00", {}), ("01", dict(wnomcomp=COMP, wtype="Cl", wport=7001)),
                            ("03", dict(wnomcomp=COMP, wport=7001)),
                            ("5", dict(widsource=HOST_IP, wportsource=7001))):
            with self.subTest(req):
                self.assertEqual(self.ask(HOST_IP, req=req, wsurnom="zoé", wpassword="a&b",
                                          **values), "*rj:id**")
        self.assertTrue(self.login("zoé", 7001, password="a&b=c").startswith("*01:"))

    def test_nicknames_that_would_break_a_reply_are_refused(self):
        for nick in ("a;b", "a]b", "a*b", "a&b", "", "   ", "a\nb", "x" * 33, "x" * 10000,
                     "\u0141ukasz"):
            with self.subTest(nick=nick[:10]):
                self.assertEqual(self.ask(HOST_IP, req="00", wsurnom=nick, wpassword="pw"),
                                 "*rj:id**")
        self.assertEqual(self.lobby.listed(), [])

    def test_an_accounts_file_gives_the_only_accounts(self):
        import tempfile
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False,
                                         encoding="latin-1") as f:
            f.write("# players\n\nalice=se=cret\nzoé=pw\n")
        fixed = read_accounts_file(f.name)
        self.assertEqual(fixed, {"alice": "se=cret", "zoé": "pw"})
        self.lobby = self.make_lobby(accounts=Accounts(fixed))
        cases = (("alice", "se=cret", True), ("zoé", "pw", True), ("alice", "se", False),
                 ("carol", "pw", False))
        for nick, password, accepted in cases:
            with self.subTest(nick=nick, password=password):
                reply = self.ask(HOST_IP, req="00", wsurnom=nick, wpassword=password)
                self.assertEqual(reply.startswith("*00:"), accepted, reply)

    def test_a_malformed_accounts_file_is_refused(self):
        import tempfile
        for text in ("alice\n", "a;b=pw\n", "=pw\n"):
            with tempfile.NamedTemporaryFile("w", delete=False) as f:
                f.write(text)
            with self.subTest(text=text), self.assertRaises(ValueError):
                read_accounts_file(f.name)


class RefusalTest(LobbyCase):
    def test_refusals(self):
        cases = (("tm", COMP, "*rj:tm"), ("ar", COMP, "*rj:ar"), (None, "No Such Cup", "*rj:tm"))
        for refuse, comp, expected in cases:
            with self.subTest(refuse=refuse, comp=comp):
                self.lobby = self.make_lobby(refuse=refuse)
                self.assertEqual(self.login("alice", 7001, comp=comp), expected)
                self.assertEqual(self.lobby.listed(), [])

    def test_an_address_and_port_in_use_by_another_nickname_is_refused(self):
        self.login("alice", 7001)
        self.assertEqual(self.login("bob", 7001), "*rj:ar")
        self.assertTrue(self.login("bob", 7001, seen=LAN_IP).startswith("*01:"))
        self.clock.now += 61
        self.assertTrue(self.login("bob", 7001).startswith("*01:"))
        self.assertEqual(sorted((u.nickname, u.ip) for u in self.lobby.listed()),
                         [("bob", HOST_IP)])

    def test_a_full_lobby_refuses_new_users_but_takes_a_login_again(self):
        self.lobby = self.make_lobby(limits=Limits(users=2))
        self.login("alice", 7001)
        self.login("bob", 7002)
        self.assertEqual(self.login("carol", 7003), "*rj:ar")
        self.assertTrue(self.login("alice", 7001, kind="Se").startswith("*01:"))
        self.assertEqual([(u.nickname, u.kind) for u in self.lobby.listed()],
                         [("bob", "Cl"), ("alice", "Se")])


class MalformedRequestTest(LobbyCase):
    def test_malformed_requests_get_a_refusal(self):
        self.login("alice", 7001)
        base = dict(wsurnom="alice", wpassword="pw")
        cases = [
            ("no req", dict(base)),
            ("empty req", dict(base, req="")),
            ("no nickname", dict(req="00", wpassword="pw")),
            ("no password", dict(req="00", wsurnom="alice")),
            ("port not a number", dict(base, req="01", wnomcomp=COMP, wtype="Se", wport="70x1")),
            ("port too big", dict(base, req="01", wnomcomp=COMP, wtype="Se", wport="99999")),
            ("port zero", dict(base, req="01", wnomcomp=COMP, wtype="Se", wport="0")),
            ("huge port", dict(base, req="01", wnomcomp=COMP, wtype="Se", wport="9" * 5000)),
            ("port with blanks", dict(base, req="02", wport=" 7001")),
            ("no competition", dict(base, req="03", wport=7001)),
            ("message kind 8", dict(base, req="04", wtype=8, widsource=HOST_IP,
                                    wportsource=7001, widdestin=HOST_IP, wportdestin=7001)),
            ("message kind empty", dict(base, req="04", wtype="", widsource=HOST_IP,
                                        wportsource=7001, widdestin=HOST_IP, wportdestin=7001)),
            ("no addressee", dict(base, req="04", wtype=1, widsource=HOST_IP,
                                  wportsource=7001, wportdestin=7001)),
            ("poll without port", dict(base, req="5", widsource=HOST_IP)),
            ("result not a digit", dict(base, req="08", wnomcomp=COMP, wres="won")),
        ]
        for name, values in cases:
            with self.subTest(name):
                self.assertTrue(self.ask(HOST_IP, **values).startswith("*rj:"))
        self.assertEqual([u.nickname for u in self.lobby.listed()], ["alice"])


class MessageTest(LobbyCase):
    def setUp(self):
        super().setUp()
        self.login("alice", 7001, "Se")
        # bob's program thinks it is 10.0.0.9; the site sees it at the LAN address.
        self.login("bob", 7002, seen=LAN_IP, local="10.0.0.9")

    def test_each_message_is_delivered_once_to_the_listed_address(self):
        self.assertEqual(self.send("alice", 7001, LAN_IP, 7002, 2), "*04:ok*")
        got = read_records(self.poll("bob", 7002, seen=LAN_IP, local="10.0.0.9"), 6)
        self.assertEqual(got, [["2", "on 10/12/2026 at 14:00:00", HOST_IP, "7001", "alice", ""]])
        self.assertEqual(self.poll("bob", 7002, seen=LAN_IP, local="10.0.0.9"), "*05:*")

    def test_a_message_names_the_senders_listed_address(self):
        self.send("bob", 7002, HOST_IP, 7001, 4, data=HOST_IP, seen=LAN_IP, local="10.0.0.9")
        (record,) = read_records(self.poll("alice", 7001), 6)
        self.assertEqual(record[2:4], [LAN_IP, "7002"])
        self.assertIn([LAN_IP, "7002"], [u[6:8] for u in self.users()])

    def test_mail_is_found_by_the_address_the_program_gives_or_the_one_seen(self):
        for seen, local in ((LAN_IP, "10.0.0.9"), (LAN_IP, "garbage"), ("10.0.0.9", "10.0.0.9")):
            with self.subTest(seen=seen, local=local):
                self.send("alice", 7001, LAN_IP, 7002, 1, data="hi")
                self.assertIn("hi", self.poll("bob", 7002, seen=seen, local=local))

    def test_a_message_to_the_programs_own_address_reaches_it(self):
        self.assertEqual(self.send("alice", 7001, "10.0.0.9", 7002, 1, data="hi"), "*04:ok*")
        self.assertIn("hi", self.poll("bob", 7002, seen=LAN_IP, local="10.0.0.9"))

    def test_another_nickname_cannot_take_someones_mail(self):
        self.send("alice", 7001, LAN_IP, 7002, 1, data="secret")
        self.assertEqual(self.poll("alice", 7002, seen=LAN_IP), "*05:*")
        self.assertIn("secret", self.poll("bob", 7002, seen=LAN_IP))

    def test_a_reply_stops_after_a_message_the_programs_read_last(self):
        for kind in (1, 7, 1, 2, 5, 3):
            self.send("alice", 7001, LAN_IP, 7002, kind)
        kinds = []
        for _ in range(5):
            kinds.append([r[0] for r in read_records(self.poll("bob", 7002, seen=LAN_IP), 6)])
        self.assertEqual(kinds, [["1", "7"], ["1", "2"], ["5"], ["3"], []])

    def test_waiting_messages_are_bounded(self):
        self.lobby.limits.waiting = 3
        replies = [self.send("alice", 7001, LAN_IP, 7002, 1, data=str(i)) for i in range(5)]
        self.assertEqual(replies, ["*04:ok*"] * 3 + ["*04:full*"] * 2)
        bodies = [r[5] for r in read_records(self.poll("bob", 7002, seen=LAN_IP), 6)]
        self.assertEqual(bodies, ["0", "1", "2"])
        self.assertEqual(self.send("alice", 7001, LAN_IP, 7002, 1, data="later"), "*04:ok*")

    def test_a_login_again_starts_with_an_empty_mailbox(self):
        self.send("alice", 7001, LAN_IP, 7002, 1, data="old")
        self.login("bob", 7002, seen=LAN_IP)
        self.assertEqual(self.poll("bob", 7002, seen=LAN_IP), "*05:*")


class HandshakeStateTest(LobbyCase):
    def setUp(self):
        super().setUp()
        self.login("alice", 7001, "Se")
        self.login("bob", 7002)
        self.login("carol", 7003)

    def test_states_follow_the_handshake(self):
        steps = [
            ("invitation", ("alice", 7001, 7002, 2), {"alice": "fr", "bob": "fr", "carol": "fr"}),
            ("refusal", ("carol", 7003, 7001, 3), {"alice": "fr", "bob": "fr", "carol": "fr"}),
            ("acceptance", ("bob", 7002, 7001, 4), {"alice": "lk", "bob": "lk", "carol": "fr"}),
            ("game start", ("alice", 7001, 7002, 7), {"alice": "bs", "bob": "bs", "carol": "fr"}),
            ("guest ack", ("bob", 7002, 7001, 6), {"alice": "bs", "bob": "bs", "carol": "fr"}),
            ("host ack", ("alice", 7001, 7002, 5), {"alice": "bs", "bob": "bs", "carol": "fr"}),
        ]
        for name, (nick, port, to_port, kind), expected in steps:
            with self.subTest(name):
                self.assertEqual(self.send(nick, port, HOST_IP, to_port, kind), "*04:ok*")
                self.assertEqual(self.states(), expected)

    def test_a_linked_user_is_free_again_when_its_partners_leave(self):
        self.send("bob", 7002, HOST_IP, 7001, 4)
        self.send("alice", 7001, HOST_IP, 7003, 4)
        self.ask(HOST_IP, req="02", wsurnom="bob", wpassword="pw", wadIP=HOST_IP, wport=7002)
        self.assertEqual(self.states(), {"alice": "lk", "carol": "lk"})
        self.ask(HOST_IP, req="02", wsurnom="carol", wpassword="pw", wnomcomp=COMP,
                 wadIP=HOST_IP, wport=7003)
        self.assertEqual(self.states(), {"alice": "fr"})

    def test_only_the_user_itself_can_leave(self):
        self.ask(HOST_IP, req="02", wsurnom="carol", wpassword="pw", wadIP=HOST_IP, wport=7002)
        self.assertEqual(sorted(self.states()), ["alice", "bob", "carol"])


class PresenceTest(LobbyCase):
    def setUp(self):
        super().setUp()
        self.login("alice", 7001, "Se")
        self.login("bob", 7002)

    def listed(self):
        return sorted(u.nickname for u in self.lobby.listed())

    def test_a_user_that_stops_polling_leaves_the_list(self):
        for _ in range(3):
            self.clock.now += 40
            self.poll("alice", 7001)
            self.ask(HOST_IP, req="07", wsurnom="alice", wpassword="pw")
        self.assertEqual(self.listed(), ["alice"])

    def test_presence_alone_keeps_a_user_listed(self):
        self.clock.now += 50
        self.ask(HOST_IP, req="07", wsurnom="bob", wpassword="pw")
        self.clock.now += 50
        self.assertEqual(self.listed(), ["bob"])

    def test_a_dropped_user_is_listed_again_by_its_next_poll(self):
        self.send("bob", 7002, HOST_IP, 7001, 4)
        self.clock.now += 61
        self.assertEqual(self.listed(), [])
        self.poll("bob", 7002)
        self.assertEqual(self.states_of_listed(), {"bob": "fr"})
        self.assertEqual(self.send("bob", 7002, HOST_IP, 7001, 1, data="still there?"),
                         "*04:nobody*")

    def test_a_user_that_left_is_not_brought_back_by_a_late_poll(self):
        self.ask(HOST_IP, req="02", wsurnom="bob", wpassword="pw", wadIP=HOST_IP, wport=7002)
        self.assertEqual(self.poll("bob", 7002), "*05:*")
        self.assertEqual(self.listed(), ["alice"])

    def states_of_listed(self):
        return {u.nickname: u.state for u in self.lobby.listed()}


class ResultTest(LobbyCase):
    def test_results_are_kept_newest_first_and_bounded(self):
        self.lobby = self.make_lobby(limits=Limits(results=3))
        for code in (0, 1, 2, 3, 5):
            self.assertEqual(self.ask(HOST_IP, req="08", wsurnom="alice", wpassword="pw",
                                      wnomcomp="Cup;]*", wadIP=HOST_IP, wres=code), "*08:*")
        results = self.lobby.results()
        self.assertEqual([r.code for r in results], [5, 3, 2])
        self.assertEqual([r.words for r in results], ["abandoned", "pig", "lost"])
        self.assertEqual(results[0].competition, "Cup")


if __name__ == "__main__":
    unittest.main()
