#pragma once
#include <string>

#include "game/Dominosc.h"

class Jeu;

// What the rules and the main window ask of whatever shows the table. A game with no view
// attached (the server, the tests, the benchmarks) skips every call and runs without a
// window; the drawing operations of a view without a table do nothing.
class JeuView {
public:
    virtual ~JeuView() = default;
    virtual int WindowWidth() const = 0;
    virtual int WindowHeight() const = 0;
    // The seats' hands, face up or down per seat.
    virtual void PaintHands(Jeu& game, bool seat0, bool seat1, bool seat2) = 0;
    // A tile was laid out on the chain; the chain's models are to be built and redrawn.
    virtual void TilePlaced(Jeu& game, const Domino& laidOut) = 0;
    // A round or pig message, drawn straight on the window at a window point.
    virtual void DrawGameText(Jeu& game, const std::string& text, int x, int y) = 0;
    // The short pause after the first lead of a game, so the user sees the opening double.
    virtual void PauseAfterFirstLead(Jeu& game) = 0;

    // The game has been built: load its textures and seat pictures, set the view up and draw.
    virtual void GameCreated(Jeu&) {}

    // The table view proper; a view that draws no table leaves these empty.
    virtual void InitView(Jeu&) {}
    virtual void SetViewWidth(Jeu&, int) {}
    virtual void SetViewHeight(Jeu&, int) {}
    virtual void RedrawTable(Jeu&) {}
    virtual void PaintDominoAt(Jeu&, const Domino&, int, int, int) {}
    virtual void SetLeftTarget(bool) {}
    virtual void SetRightTarget(bool) {}
    virtual bool HitLeftEnd(Jeu&, int, int) { return false; }
    virtual bool HitRightEnd(Jeu&, int, int) { return false; }
    // The window point at the centre of a shown drop marker; false when it is not shown.
    virtual bool MarkerCentre(bool /*left*/, int& /*x*/, int& /*y*/) const { return false; }
    virtual void SetBackgroundTexture(Jeu&, const std::string&) {}
    virtual void SetDominoesTexture(Jeu&, const std::string&) {}
    virtual void SetBackDominoesTexture(Jeu&, const std::string&) {}
};
