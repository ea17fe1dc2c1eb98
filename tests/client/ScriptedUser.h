#pragma once
#include <QTest>

#include "settings/Settings.h"
#include "client/Vuesc.h"

// Plays the local seat with the mouse, as a person would: a press on a fitting tile of the
// hand, a release over the drop marker of an end it fits (or anywhere on an empty table).
struct ScriptedUser {
    client::TForm1& window;

    static bool fits(const Domino& d, int end) { return d.Value1 == end || d.Value2 == end; }

    QPoint slotCentre(int i) const {
        const double s = 48;
        return QPoint(static_cast<int>((window.W() - 270) / 2.0 + 10 + s * i / 2),
                      window.H() - 175);
    }

    // The index of the first tile that fits, or -1.
    int fittingTile() const {
        const Jeu& g = *window.CurrentGame;
        const Joueur& me = g.Seats[1];
        for (int i = 0; i < me.HandCount; ++i)
            if (g.IsEmptyTable() || fits(me.Hand[i], g.LeftEnd) || fits(me.Hand[i], g.RightEnd))
                return i;
        return -1;
    }

    // Picks a fitting tile and drops it; true when a move was handed over.
    bool playOnce() {
        Jeu& g = *window.CurrentGame;
        const int i = fittingTile();
        if (i < 0) return false;
        QTest::mousePress(window.Area, Qt::LeftButton, {}, slotCentre(i));
        QPoint drop(5, 5);
        const Domino tile = g.Seats[1].Hand[i];
        int x = 0, y = 0;
        if (!g.IsEmptyTable()) {
            const bool left = fits(tile, g.LeftEnd);
            if (!g.View()->MarkerCentre(left, x, y)) return false;
            drop = QPoint(x, y);
        }
        QTest::mouseRelease(window.Area, Qt::LeftButton, {}, drop);
        return g.Seats[1].Chosen;
    }
};

// Plays a fresh local game with a fixed deal, the user with the mouse, until the user is to
// move with six tiles or more on the table and a tile that fits.
inline void playToAPick(client::TForm1& main) {
    client::AppSettings().CpuSpeed = 12;  // no waiting between computer moves
    main.NouvellePartieLocal();
    ScriptedUser user{main};
    for (int step = 0; step < 400; ++step) {
        Jeu& g = *main.CurrentGame;
        if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) {
            if (g.PlayedCount() >= 6 && user.fittingTile() >= 0) break;
            user.playOnce();
        }
        main.Timer1Timer();
    }
}
