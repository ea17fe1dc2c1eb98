#pragma once
#include <string>

#include "game/Dominosc.h"

class Jeu;

// What the rules ask of whatever shows the table. A game with no view attached (the server,
// the tests, the benchmarks) skips every call and runs without a window.
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
};
