#!/usr/bin/env python3
"""Measures the stand-in site on loopback: start-up with its downloads made, lobby polling
cycles (5, 07, 03) of many users at once, and a file download. Run by hand:

    python3 bench/site/bench_site.py [users] [cycles]
"""
import os
import sys
import threading
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "site"))
from site_process import SiteProcess  # noqa: E402


def main():
    users = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    cycles = int(sys.argv[2]) if len(sys.argv) > 2 else 25
    started = time.perf_counter()
    site = SiteProcess()
    print("start-up with the downloads made: %.2f s" % (time.perf_counter() - started))
    try:
        def player(number):
            nick, port = "bench%d" % number, 9000 + number
            site.lobby(req="01", wsurnom=nick, wpassword="pw", wnomcomp="Free Play", wtype="Cl",
                       wetat="fr", wadIP="127.0.0.1", wport=port, wdatetime="now", iop=1)
            for _ in range(cycles):
                site.lobby(req="5", wsurnom=nick, wpassword="pw", widsource="127.0.0.1",
                           wportsource=port, iop=2)
                site.lobby(req="07", wsurnom=nick, wpassword="pw", iop=3)
                site.lobby(req="03", wadIP="127.0.0.1", wport=port, wsurnom=nick,
                           wpassword="pw", wnomcomp="Free Play", iop=3)

        threads = [threading.Thread(target=player, args=(n,)) for n in range(users)]
        started = time.perf_counter()
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        spent = time.perf_counter() - started
        requests = users * (1 + 3 * cycles)
        print("%d users x %d polling cycles: %d requests in %.2f s, %.0f requests/s"
              % (users, cycles, requests, spent, requests / spent))

        started = time.perf_counter()
        for _ in range(50):
            status, _, body = site.get("/files/players/dora.zip")
        spent = time.perf_counter() - started
        print("player archive (%d bytes) x 50: %.1f ms each" % (len(body), spent * 20))
    finally:
        site.stop()


if __name__ == "__main__":
    main()
