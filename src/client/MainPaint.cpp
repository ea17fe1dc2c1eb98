// Painting of the main window: the table, the hands, the picked tile with its drop boxes
// and the round's result.
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "game/JeuMessages.h"

namespace client {

void TForm1::FormPaint() {
    BitBtn1->move(BitBtn1->x(), H() - 250);
    fillClientArea(CurrentTableColor);
    if (!CurrentGame) return;
    CurrentGame->RedrawTable();
    CurrentGame->PaintHands();
    paintPickedTileAndDropBoxes(HandSlotCentreX(SelectedHandIndex));
    drawRoundTexts(CurrentGame->Theme[Jeu::ThemeTable]);
    SurfaceChanged();
}

void TForm1::FormResize() {
    BitBtn1->move(BitBtn1->x(), H() - 188);
    Button1->move(W() / 2 - 52, H() - 130);
    resizeSurface();
    if (!CurrentGame) {
        fillClientArea(CurrentTableColor);
        return;
    }
    CurrentGame->SetViewWidth(W());
    CurrentGame->SetViewHeight(H());
    fillClientArea(CurrentTableColor);
    CurrentGame->RedrawTable();
    CurrentGame->PaintHands();
    paintPickedTileAndDropBoxes(HandSlotCentreX(SelectedHandIndex));
    drawRoundTexts(CurrentTableColor);
    SurfaceChanged();
}

// The picked tile at window x (x < 0: already painted) and a dash-dot-dot box around each
// drop marker the tile fits, left first.
void TForm1::paintPickedTileAndDropBoxes(int x) {
    Jeu& g = *CurrentGame;
    const Joueur& seat = g.Seats[g.SeatToMove];
    if (SelectedHandIndex < 0 || SelectedHandIndex >= seat.HandCount) return;
    const Domino& tile = seat.Hand[SelectedHandIndex];
    if (x >= 0) g.PaintDominoAt(tile, x - g.ChainOriginX, H() - 175 - g.ChainOriginY, 1);
    platform::Canvas& c = Surface().GetCanvas();
    c.SetPenStyle(platform::PenStyle::DashDotDot);
    c.SetPenColor(AppSettings().SelectedDominoColor);
    for (bool left : {true, false}) {
        if (!tile.Fits(left ? g.LeftEnd : g.RightEnd)) continue;
        int cx = 0, cy = 0;
        if (!g.View() || !g.View()->MarkerCentre(left, cx, cy)) continue;
        c.MoveTo(cx + 40, cy + 40);
        c.LineTo(cx + 40, cy - 40);
        c.LineTo(cx - 40, cy - 40);
        c.LineTo(cx - 40, cy + 40);
        c.LineTo(cx + 40, cy + 40);
    }
    c.SetPenStyle(platform::PenStyle::Solid);
}

void TForm1::drawRoundTexts(int brushColour) {
    Jeu& g = *CurrentGame;
    if (!g.RoundOver || g.Winners.empty()) return;
    platform::Canvas& c = Surface().GetCanvas();
    const auto previous = c.GetTextBackground();
    c.SetFontSize(15);
    c.SetBrushColor(brushColour);
    c.SetTextBackground(platform::TextBackground::Transparent);
    c.SetFontColor(g.Theme[Jeu::ThemeLightedText]);
    const JeuMessages& t = GameTexts();
    const std::string winners = g.JoinNames(g.Winners) + " " +
                                (g.Winners.size() == 1 ? t.HasWonTheRound : t.HaveWonTheRound);
    c.TextOut(static_cast<int>(W() / 2.0 - 10.0 * winners.size() / 2.0), 130, winners);
    if (!g.Pigs.empty()) {
        const std::string pigs =
            g.JoinNames(g.Pigs) + " " + (g.Pigs.size() == 1 ? t.IsThePig : t.AreThePigs);
        c.TextOut(g.ChainOriginX - static_cast<int>(10.0 * pigs.size() / 2.0), 160, pigs);
    }
    c.SetTextBackground(previous);
    c.SetFontSize(10);
    c.SetFontColor(0);
}

} // namespace client
