// Mouse play: press on a tile of the own hand to pick it, release over a drop marker to play
// it there, or double-click a tile to play it at the only end it fits. The choice is handed
// to the seat to move; the next tick of the game loop plays it.
#include "client/Vuesc.h"

namespace client {

namespace {
constexpr int TileSlotSize = 48;  // the set's tile size
} // namespace

int TForm1::HandSlotAt(int x, int y) const {
    if (!CurrentGame) return -1;
    const Joueur& seat = CurrentGame->Seats[CurrentGame->SeatToMove];
    const double s = TileSlotSize;
    const int top = static_cast<int>(H() - 175 - s / 2);
    const int bottom = static_cast<int>((H() - 175) + s / 2);
    if (!(y > top && y <= bottom)) return -1;
    for (int i = 0; i < seat.HandCount; ++i) {
        const int a = static_cast<int>((W() - 270) / 2.0 + 10 - s / 4 + s * i / 2);
        const int b = static_cast<int>((W() - 270) / 2.0 + 10 - s / 4 + s * (i + 1) / 2);
        if (x > a && x <= b) return i;
    }
    return -1;
}

int TForm1::HandSlotCentreX(int i) const {
    const double s = TileSlotSize;
    return static_cast<int>((W() - 270) / 2.0 + 10 + s * i / 2);
}

void TForm1::FormMouseDown(int x, int y) {
    if (!CurrentGame) return;
    if (SelectedHandIndex == -2) {
        SelectedHandIndex = -1;
        return;
    }
    Jeu& g = *CurrentGame;
    Joueur& seat = g.Seats[g.SeatToMove];
    if (!seat.Waiting) return;
    const int slot = HandSlotAt(x, y);
    if (slot < 0) return;
    g.PaintHands();
    SelectedHandIndex = slot;
    const Domino& tile = seat.Hand[slot];
    if (tile.Fits(g.LeftEnd)) g.SetLeftTarget(true);
    if (tile.Fits(g.RightEnd)) g.SetRightTarget(true);
    g.RedrawTable();
    const int px = HandSlotCentreX(slot);
    const int py = H() - 175;
    g.PaintDominoAt(tile, px - g.ChainOriginX, py - g.ChainOriginY, 1);
    paintPickedTileAndDropBoxes(-1);
    SurfaceChanged();
}

void TForm1::handOver(int end) {
    Jeu& g = *CurrentGame;
    Joueur& seat = g.Seats[g.SeatToMove];
    seat.Chosen = true;
    seat.ChosenIndex = SelectedHandIndex;
    seat.ChosenEnd = end;
    g.TilePlayed = true;
}

void TForm1::FormMouseUp(int x, int y) {
    if (!CurrentGame) return;
    Jeu& g = *CurrentGame;
    Joueur& seat = g.Seats[g.SeatToMove];
    if (seat.Waiting) {
        if (SelectedHandIndex >= 0 && SelectedHandIndex < seat.HandCount) {
            const Domino tile = seat.Hand[SelectedHandIndex];
            if (tile.Fits(g.LeftEnd) && g.HitLeftEnd(x, y)) handOver(LeftEndSide);
            if (tile.Fits(g.RightEnd) && g.HitRightEnd(x, y)) handOver(RightEndSide);
            if (g.IsEmptyTable()) handOver(RightEndSide);
        }
        SelectedHandIndex = -1;
        g.PaintHands();
    }
    g.SetLeftTarget(false);
    g.SetRightTarget(false);
    // The drop boxes reach beyond the chain's picture: the whole table is painted anew, so
    // that none of them stays behind.
    FormPaint();
}

void TForm1::FormDblClick(int x, int y) {
    if (!CurrentGame) return;
    Jeu& g = *CurrentGame;
    Joueur& seat = g.Seats[g.SeatToMove];
    int found = -1;
    if (seat.Waiting) {
        const int slot = HandSlotAt(x, y);
        if (slot >= 0) {
            const Domino& t = seat.Hand[slot];
            const bool both = t.Fits(g.LeftEnd) && t.Fits(g.RightEnd);
            if (!both || g.LeftEnd == g.RightEnd) found = slot;
        }
    }
    SelectedHandIndex = found;
    if (found < 0) return;
    const Domino tile = seat.Hand[found];
    bool handed = false;
    if (tile.Fits(g.LeftEnd)) {
        handOver(LeftEndSide);
        handed = true;
    }
    if (tile.Fits(g.RightEnd)) {
        handOver(RightEndSide);
        handed = true;
    }
    if (g.IsEmptyTable()) {
        handOver(RightEndSide);
        handed = true;
    }
    if (handed) SelectedHandIndex = -2;
}

} // namespace client
